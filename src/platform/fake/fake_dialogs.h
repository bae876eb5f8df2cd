// Scripted dialogs and message boxes: each modal dialog runs the next script, which clicks and
// selects like a user would; message boxes are recorded and answered from a queue.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/fake/fault_plan.h"

namespace fake {

class FakeDialogs : public platform::Dialogs {
 public:
  struct Control {
    platform::ControlKind kind = platform::ControlKind::kLabel;
    std::string text;
    bool enabled = true;
    bool checked = false;
    std::vector<std::string> entries;
    int selected = -1;
    std::string tooltip;
  };
  struct Dialog {
    int resourceId = 0;
    platform::WindowHandle owner = platform::kNoWindow;
    std::string caption;
    std::map<int, Control> controls;
    platform::DialogProc procedure = nullptr;
    void* context = nullptr;
    bool ended = false;
    int result = 0;
  };
  struct Box {
    platform::WindowHandle owner = platform::kNoWindow;
    std::string text;
    std::string caption;
    std::uint32_t flags = 0;
  };
  using Script = std::function<void(FakeDialogs& dialogs, platform::WindowHandle dialog)>;

  FakeDialogs(CallLog& log, FaultPlan& faults) : log_(log), faults_(faults) {}

  int RunModal(const platform::DialogTemplate& dialogTemplate, platform::WindowHandle owner,
               platform::DialogProc procedure, void* context) override;
  void EndDialog(platform::WindowHandle dialog, int result) override;
  void SetCaption(platform::WindowHandle dialog, const char* text) override;
  void SetControlText(platform::WindowHandle dialog, int controlId, const char* text) override;
  void EnableControl(platform::WindowHandle dialog, int controlId, bool enabled) override;
  void SetCheck(platform::WindowHandle dialog, int controlId, bool checked) override;
  bool IsChecked(platform::WindowHandle dialog, int controlId) override;
  int AddListEntry(platform::WindowHandle dialog, int controlId, const char* text) override;
  int ListEntryCount(platform::WindowHandle dialog, int controlId) override;
  void SelectListEntry(platform::WindowHandle dialog, int controlId, int index) override;
  int SelectedListEntry(platform::WindowHandle dialog, int controlId) override;
  bool AddTooltip(platform::WindowHandle dialog, int controlId, const char* text) override;
  int MessageBox(platform::WindowHandle owner, const char* text, const char* caption, std::uint32_t flags) override;

  // Scripting: the next RunModal runs the first queued script after the dialog's init. A dialog
  // the script leaves open gets the close box (IDCANCEL).
  void QueueScript(Script script) { scripts_.push_back(std::move(script)); }
  // Answers for the next message boxes; without one a box answers IDOK (IDYES when it asks).
  void QueueAnswer(int answer) { answers_.push_back(answer); }
  // User actions inside a script. A click on a disabled control does nothing.
  void Click(platform::WindowHandle dialog, int controlId);
  void Select(platform::WindowHandle dialog, int controlId, int index);

  Dialog* Find(platform::WindowHandle dialog);
  Control* FindControl(platform::WindowHandle dialog, int controlId);
  // Every dialog shown, in order, as it looked when it ended.
  std::vector<Dialog> finished;
  std::vector<Box> boxes;

 private:
  CallLog& log_;
  FaultPlan& faults_;
  std::map<platform::WindowHandle, Dialog> open_;
  std::deque<Script> scripts_;
  std::deque<int> answers_;
  platform::WindowHandle nextHandle_ = 100;
};

}  // namespace fake
