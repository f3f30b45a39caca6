// The Overlay page on a real sheet with the real file dialogs: where a new overlay file goes,
// what the job is told, and that a file leaves the disk only when the deletion is applied.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include <windows.h>
#include <commdlg.h>

#include "sheethost/host_sheet.h"
#include "pages/overlay_page.h"
#include "resources/resource.h"
#include "sheet_harness.h"

namespace {

const std::wstring kStore = L"TSF\\Overlay Data";
constexpr int kOverlayPage = 7;
constexpr int kFileNameField = 0x47c;  // of the common file dialogs

// What a common file dialog showed a user, who typed a name into it and pressed OK.
struct FileDialog {
  bool opened;
  std::wstring title, folder;
};
FileDialog AnswerFileDialog(const std::function<void()>& open, const std::wstring& name) {
  FileDialog seen{};
  qxtest::ModalDriver driver(kFileNameField, [&](HWND d) {
    wchar_t text[MAX_PATH] = {};
    GetWindowTextW(d, text, MAX_PATH);
    seen.title = text;
    SendMessageW(d, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(text));
    seen.folder = text;
    SetDlgItemTextW(d, kFileNameField, name.c_str());
  }, IDOK);
  open();
  seen.opened = driver.opened();
  return seen;
}

class OverlayPageTest : public qxtest::SheetHarness {
 protected:
  void SetUp() override { Stage(L"QXOV", "[Common]\r\n", "[Common]\r\n"); }
  HWND List() const { return Control(IDC_OVERLAY_LIST); }
  std::vector<std::wstring> Entries() const { return ItemTexts(IDC_OVERLAY_LIST); }

  std::wstring Status() const { return Text(IDC_OVERLAY_STATUS); }
  // An overlay file the user made earlier, listed and chosen for the job.
  std::wstring PutOverlay(const std::wstring& name) {
    const std::wstring path = L"c:\\FormOver\\" + name;
    CreateDirectoryW(L"c:\\FormOver", nullptr);
    qxtest::WriteTextFile(path, "overlay");
    qxtest::WriteUserString(base_, kStore, L"Overlay0", path);
    qxtest::WriteUserString(base_, kStore, L"Overlays Num", L"1");
    Live().dmPrivate.ovrFileName.Write(std::u16string(path.begin(), path.end()));
    Live().dmPrivate.ovrLoadCreate = 1;
    return path;
  }
};

// A bare name typed into Create lands in the overlays folder with the overlay extension; the
// folder is remembered, the list waits, and the job is told to make the file.
TEST_F(OverlayPageTest, CreatingAFileTellsTheJobWhereAndRemembersTheFolder) {
  DeleteFileW(L"c:\\FormOver\\QXOV Form.OVL");
  Open({kOverlayPage});
  EXPECT_EQ(Entries(), std::vector<std::wstring>{L"(No Overlay)"});
  EXPECT_EQ(Status(), L"No Overlay Selected");
  EXPECT_FALSE(Enabled(IDC_OVERLAY_DELETE));
  const FileDialog created = AnswerFileDialog([this] { Click(IDC_OVERLAY_CREATE); }, L"QXOV Form");
  ASSERT_TRUE(created.opened);
  EXPECT_EQ(created.title, L"Create Overlay");
  EXPECT_EQ(_wcsicmp(created.folder.c_str(), L"c:\\FormOver"), 0) << created.folder;
  const std::wstring folder = qxtest::ReadUserString(base_, L"TSF", L"Overlays Dir");
  EXPECT_EQ(_wcsicmp(folder.c_str(), L"c:\\FormOver"), 0) << folder;
  // The dialog adds the extension; Wine's writes it in lower case.
  const std::wstring ready = L"Ready to Create Overlay File\r\n";
  ASSERT_EQ(Status().substr(0, ready.size()), ready);
  const std::wstring path = Status().substr(ready.size());
  EXPECT_EQ(_wcsicmp(path.c_str(), (folder + L"\\QXOV Form.OVL").c_str()), 0) << path;
  EXPECT_EQ(Entries(), (std::vector<std::wstring>{L"(No Overlay)", path.substr(folder.size() + 1)}));
  EXPECT_FALSE(Enabled(IDC_OVERLAY_LIST));
  EXPECT_FALSE(Shown(IDC_OVERLAY_CREATE));
  EXPECT_TRUE(Shown(IDC_OVERLAY_CANCEL_CREATE));
  EXPECT_FALSE(Enabled(IDC_OVERLAY_LOAD));
  Apply();
  EXPECT_EQ(Live().dmPrivate.ovrLoadCreate, 2);
  EXPECT_EQ(Live().dmPrivate.ovrFileName.Read(), std::u16string(path.begin(), path.end()));
  EXPECT_EQ(qxtest::ReadUserString(base_, kStore, L"Overlay0"), path);
  EXPECT_EQ(qxtest::ReadUserString(base_, kStore, L"Overlays Num"), L"1");

  // Cancelling the creation asks, and leaves the job without an overlay.
  qxtest::BoxAnswers boxes({IDYES});
  Click(IDC_OVERLAY_CANCEL_CREATE);
  EXPECT_EQ(boxes.TakeTexts(), std::vector<std::wstring>{L"Are you sure you want to delete this overlay?"});
  EXPECT_EQ(Status(), L"No Overlay Selected");
  Apply();
  EXPECT_EQ(Live().dmPrivate.ovrLoadCreate, 0);
  EXPECT_EQ(Live().dmPrivate.ovrFileName.Read(), u"");
}

// Deleting from the list removes the file only when applied: Cancel keeps it, and so does
// loading it again before applying.
TEST_F(OverlayPageTest, AFileLeavesTheDiskOnlyWhenTheDeletionIsApplied) {
  const std::wstring path = PutOverlay(L"QXOV Kept.OVL");
  Open({kOverlayPage});
  EXPECT_EQ(Entries(), (std::vector<std::wstring>{L"(No Overlay)", L"QXOV Kept.OVL"}));
  EXPECT_EQ(Status(), L"Use Overlay\r\n" + path);
  qxtest::BoxAnswers boxes({IDYES, IDYES, IDYES});
  Click(IDC_OVERLAY_DELETE);
  EXPECT_EQ(Entries(), std::vector<std::wstring>{L"(No Overlay)"});
  Close();
  EXPECT_TRUE(qxtest::FileExists(path));

  Open({kOverlayPage});
  Click(IDC_OVERLAY_DELETE);
  EXPECT_TRUE(AnswerFileDialog([this] { Click(IDC_OVERLAY_LOAD); }, path).opened);
  EXPECT_EQ(Entries(), (std::vector<std::wstring>{L"(No Overlay)", L"QXOV Kept.OVL"}));
  Apply();
  EXPECT_TRUE(qxtest::FileExists(path));

  Click(IDC_OVERLAY_DELETE);
  EXPECT_TRUE(qxtest::FileExists(path));
  Apply();
  EXPECT_FALSE(qxtest::FileExists(path));
  EXPECT_EQ(qxtest::ReadUserString(base_, kStore, L"Overlays Num"), L"");
}

// In the Edit Overlay dialog a deleted file leaves the disk with OK, and Cancel keeps it.
TEST(EditOverlayDialogTest, ADeletedFileGoesOnlyWithOk) {
  qxtest::ForgetUser(qxtest::kStagedBase);
  const std::wstring path = L"c:\\FormOver\\QXLK Dialog.OVL";
  CreateDirectoryW(L"c:\\FormOver", nullptr);
  qxtest::WriteTextFile(path, "overlay");
  qxtest::WriteUserString(qxtest::kStagedBase, kStore, L"Overlay0", path);
  qxtest::WriteUserString(qxtest::kStagedBase, kStore, L"Overlays Num", L"1");
  std::vector<uint8_t> record = qxhost::DefaultRecord(L"QX_Office");
  auto* job = reinterpret_cast<qxge::DriverDevMode*>(record.data());
  job->dmPrivate.ovrFileName.Write(std::u16string(path.begin(), path.end()));
  job->dmPrivate.ovrLoadCreate = 1;
  qxtest::BoxAnswers boxes({IDYES, IDYES});
  const auto run = [job](int button) {
    qxtest::ModalDriver driver(IDC_OVERLAY_LIST, [](HWND d) { SendDlgItemMessageW(d, IDC_OVERLAY_DELETE, BM_CLICK, 0, 0); },
                               button);
    qxge::OverlayEditor dialog(nullptr, job);
    return dialog.RunModal();
  };
  EXPECT_EQ(run(IDCANCEL), IDCANCEL);
  EXPECT_TRUE(qxtest::FileExists(path));
  EXPECT_EQ(job->dmPrivate.ovrLoadCreate, 1);
  EXPECT_EQ(run(IDOK), IDOK);
  EXPECT_FALSE(qxtest::FileExists(path));
  EXPECT_EQ(job->dmPrivate.ovrLoadCreate, 0);
  EXPECT_EQ(job->dmPrivate.ovrFileName.Read(), u"");
  EXPECT_EQ(boxes.TakeTexts().size(), 2u);
  qxtest::ForgetUser(qxtest::kStagedBase);
}

}  // namespace
