// qxcheck: checks model packages before they ship. Usage: qxcheck <package folder>...
#include <iostream>

#include "package_check.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: qxcheck <package folder>...\n"
                 "Checks the model file, text files, version file and printer description of each\n"
                 "package; exits 1 when it finds an error.\n";
    return 2;
  }
  int status = 0;
  for (int i = 1; i < argc; ++i) status |= qxge::check::CheckPackage(argv[i], std::cout);
  return status;
}
