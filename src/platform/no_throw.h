// No C++ exception may cross into the caller of an exported function: it is not ours and
// cannot catch it.
#pragma once

namespace platform {

// The body's result, or failed when it throws.
template <typename Result, typename Body>
Result Guarded(Result failed, Body body) noexcept {
  try {
    return body();
  } catch (...) {
    return failed;
  }
}

}  // namespace platform
