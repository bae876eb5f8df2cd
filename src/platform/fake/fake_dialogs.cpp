// Scripted dialogs and message boxes: each modal dialog runs the next script, which clicks and
// selects like a user would; message boxes are recorded and answered from a queue.
#include "platform/fake/fake_dialogs.h"

namespace fake {
using platform::WindowHandle;

int FakeDialogs::RunModal(const platform::DialogTemplate& dialogTemplate, WindowHandle owner,
                          platform::DialogProc procedure, void* context) {
  log_.Record("Dialogs::RunModal(" + std::to_string(dialogTemplate.resourceId) + "," + std::to_string(owner) + ")");
  platform::HRESULT code;
  if (faults_.Take("Dialogs::RunModal", &code)) return -1;
  WindowHandle handle = nextHandle_++;
  Dialog& dialog = open_[handle];
  dialog.resourceId = dialogTemplate.resourceId;
  dialog.owner = owner;
  dialog.caption = dialogTemplate.caption ? dialogTemplate.caption : "";
  dialog.procedure = procedure;
  dialog.context = context;
  for (std::size_t i = 0; i < dialogTemplate.controlCount; ++i) {
    const auto& control = dialogTemplate.controls[i];
    if (control.id == 0) continue;
    Control& added = dialog.controls[control.id];
    added.kind = control.kind;
    added.text = control.text ? control.text : "";
  }
  if (procedure) procedure(handle, platform::DialogEvent::kInit, 0, context);
  if (!scripts_.empty()) {
    Script script = std::move(scripts_.front());
    scripts_.pop_front();
    if (!open_[handle].ended) script(*this, handle);
  }
  if (!open_[handle].ended && procedure) procedure(handle, platform::DialogEvent::kCommand, platform::IDCANCEL, context);
  Dialog done = open_[handle];
  open_.erase(handle);
  finished.push_back(done);
  return done.ended ? done.result : -1;
}

void FakeDialogs::EndDialog(WindowHandle dialog, int result) {
  log_.Record("Dialogs::EndDialog(" + std::to_string(result) + ")");
  if (Dialog* found = Find(dialog)) {
    found->ended = true;
    found->result = result;
  }
}

void FakeDialogs::SetCaption(WindowHandle dialog, const char* text) {
  if (Dialog* found = Find(dialog)) found->caption = text ? text : "";
}

void FakeDialogs::SetControlText(WindowHandle dialog, int controlId, const char* text) {
  if (Control* control = FindControl(dialog, controlId)) control->text = text ? text : "";
}

void FakeDialogs::EnableControl(WindowHandle dialog, int controlId, bool enabled) {
  if (Control* control = FindControl(dialog, controlId)) control->enabled = enabled;
}

void FakeDialogs::SetCheck(WindowHandle dialog, int controlId, bool checked) {
  if (Control* control = FindControl(dialog, controlId)) control->checked = checked;
}

bool FakeDialogs::IsChecked(WindowHandle dialog, int controlId) {
  Control* control = FindControl(dialog, controlId);
  return control && control->checked;
}

int FakeDialogs::AddListEntry(WindowHandle dialog, int controlId, const char* text) {
  Control* control = FindControl(dialog, controlId);
  if (!control) return -1;
  control->entries.push_back(text ? text : "");
  return static_cast<int>(control->entries.size()) - 1;
}

int FakeDialogs::ListEntryCount(WindowHandle dialog, int controlId) {
  Control* control = FindControl(dialog, controlId);
  return control ? static_cast<int>(control->entries.size()) : 0;
}

void FakeDialogs::SelectListEntry(WindowHandle dialog, int controlId, int index) {
  Control* control = FindControl(dialog, controlId);
  if (!control) return;
  control->selected = index >= 0 && index < static_cast<int>(control->entries.size()) ? index : -1;
}

int FakeDialogs::SelectedListEntry(WindowHandle dialog, int controlId) {
  Control* control = FindControl(dialog, controlId);
  return control ? control->selected : -1;
}

bool FakeDialogs::AddTooltip(WindowHandle dialog, int controlId, const char* text) {
  platform::HRESULT code;
  if (faults_.Take("Dialogs::AddTooltip", &code)) return false;
  Control* control = FindControl(dialog, controlId);
  if (!control) return false;
  control->tooltip = text ? text : "";
  return true;
}

int FakeDialogs::MessageBox(WindowHandle owner, const char* text, const char* caption, std::uint32_t flags) {
  log_.Record(std::string("Dialogs::MessageBox(") + (caption ? caption : "") + ")");
  boxes.push_back(Box{owner, text ? text : "", caption ? caption : "", flags});
  if (!answers_.empty()) {
    int answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  return (flags & 0xF) == platform::MB_YESNO ? platform::IDYES : platform::IDOK;
}

void FakeDialogs::Click(WindowHandle dialog, int controlId) {
  Dialog* found = Find(dialog);
  if (!found || found->ended) return;
  Control* control = FindControl(dialog, controlId);
  // The close box has no control of its own.
  if (control && !control->enabled) return;
  if (control && control->kind == platform::ControlKind::kCheckBox) control->checked = !control->checked;
  if (found->procedure) found->procedure(dialog, platform::DialogEvent::kCommand, controlId, found->context);
}

void FakeDialogs::Select(WindowHandle dialog, int controlId, int index) {
  Dialog* found = Find(dialog);
  Control* control = FindControl(dialog, controlId);
  if (!found || found->ended || !control || !control->enabled) return;
  SelectListEntry(dialog, controlId, index);
  if (found->procedure) found->procedure(dialog, platform::DialogEvent::kSelectionChange, controlId, found->context);
}

FakeDialogs::Dialog* FakeDialogs::Find(WindowHandle dialog) {
  auto found = open_.find(dialog);
  return found == open_.end() ? nullptr : &found->second;
}

FakeDialogs::Control* FakeDialogs::FindControl(WindowHandle dialog, int controlId) {
  Dialog* found = Find(dialog);
  if (!found) return nullptr;
  auto control = found->controls.find(controlId);
  return control == found->controls.end() ? nullptr : &control->second;
}

}  // namespace fake
