// Dialog service on GTK 3. A template becomes a fixed layout: dialog units times a constant
// scale, the template's font mapped to an installed Japanese one. Control changes made by the
// procedure itself raise no events, as the procedures expect.
#include "platform/sdl/sdl_dialogs.h"

#include <gtk/gtk.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace platform::sdl {

struct SdlDialogs::OpenDialog {
  SdlDialogs* owner = nullptr;
  WindowHandle handle = kNoWindow;
  GtkWidget* window = nullptr;
  std::map<int, GtkWidget*> controls;
  std::vector<GtkWidget*> buttons;  // template order
  DialogProc procedure = nullptr;
  void* context = nullptr;
  int quiet = 0;  // > 0 while the procedure itself changes a control
  bool ended = false;
  bool shown = false;
  int result = 0;
};

namespace {

// Pixels per dialog unit: the launcher's 114-unit picture frame holds its 200-pixel bitmap.
constexpr double kPixelsPerUnit = 1.75;
// A drop-down's template height includes its open list; closed it is one row.
constexpr int kDropDownUnits = 12;
// Roughly one average character of the dialog font, for wrapping labels.
constexpr int kWrapPixelsPerChar = 7;

// Compact widgets so the controls fit the rectangles their template gives them.
constexpr const char* kDialogStyle =
    "button { padding: 1px 6px; min-height: 0; min-width: 0; }"
    "combobox button { padding: 0 4px; min-height: 0; }"
    "checkbutton { padding: 0; min-height: 0; }";

int Pixels(int units) { return static_cast<int>(units * kPixelsPerUnit + 0.5); }

// The template's font when it is installed, else the closest Japanese one we ship with.
std::string FontFamily(const char* templateFont) {
  if (templateFont == nullptr || std::strcmp(templateFont, "ＭＳ Ｐゴシック") == 0) return "IPAPGothic";
  return templateFont;
}

// Windows marks the mnemonic with "&", GTK with "_" (and a plain "_" is doubled).
std::string Mnemonic(const char* text) {
  std::string out;
  for (const char* c = text ? text : ""; *c; ++c) {
    if (*c == '&' && c[1] == '&') {
      out += '&';
      ++c;
    } else if (*c == '&') {
      out += '_';
    } else if (*c == '_') {
      out += "__";
    } else {
      out += *c;
    }
  }
  return out;
}

// The game's texts break lines with CR LF.
std::string WithoutCarriageReturns(const char* text) {
  std::string out;
  for (const char* c = text ? text : ""; *c; ++c) {
    if (*c != '\r') out += *c;
  }
  return out;
}

// Bitmap resources live beside the program, in resources/, named by their id.
std::string BitmapPath(const char* resourceName) {
  char path[PATH_MAX];
  ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return std::string();
  path[length] = '\0';
  return (std::filesystem::path(path).parent_path() / "resources" / (std::string(resourceName) + ".png")).string();
}

void ApplyStyle(const DialogTemplate& dialogTemplate) {
  static GtkCssProvider* provider = nullptr;
  if (provider == nullptr) {
    provider = gtk_css_provider_new();
    gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(provider),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  }
  std::string css = kDialogStyle;
  css += "* { font-family: \"" + FontFamily(dialogTemplate.fontName) + "\"; font-size: " +
         std::to_string(dialogTemplate.fontPoints > 0 ? dialogTemplate.fontPoints : 9) + "pt; }";
  gtk_css_provider_load_from_data(provider, css.c_str(), -1, nullptr);
}

void Notify(SdlDialogs::OpenDialog* dialog, DialogEvent event, int controlId) {
  if (dialog->quiet > 0 || dialog->ended || dialog->procedure == nullptr) return;
  dialog->procedure(dialog->handle, event, controlId, dialog->context);
}

// Signal data: the dialog and the control's id, packed in one allocation owned by the widget.
struct ControlSignal {
  SdlDialogs::OpenDialog* dialog;
  int controlId;
};

void OnClicked(GtkWidget*, gpointer data) {
  auto* signal = static_cast<ControlSignal*>(data);
  Notify(signal->dialog, DialogEvent::kCommand, signal->controlId);
}

void OnChanged(GtkWidget*, gpointer data) {
  auto* signal = static_cast<ControlSignal*>(data);
  Notify(signal->dialog, DialogEvent::kSelectionChange, signal->controlId);
}

gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer data) {
  Notify(static_cast<SdlDialogs::OpenDialog*>(data), DialogEvent::kCommand, IDCANCEL);
  return TRUE;  // the procedure decides whether the dialog ends
}

// Esc is the cancel button, as in a Windows dialog.
gboolean OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer data) {
  if (event->keyval != GDK_KEY_Escape) return FALSE;
  Notify(static_cast<SdlDialogs::OpenDialog*>(data), DialogEvent::kCommand, IDCANCEL);
  return TRUE;
}

gboolean OnDrawn(GtkWidget*, cairo_t*, gpointer data) {
  static_cast<SdlDialogs::OpenDialog*>(data)->shown = true;
  return FALSE;
}

void Connect(GtkWidget* widget, const char* signal, GCallback callback, SdlDialogs::OpenDialog* dialog, int id) {
  auto* data = new ControlSignal{dialog, id};
  g_signal_connect_data(widget, signal, callback, data,
                        [](gpointer pointer, GClosure*) { delete static_cast<ControlSignal*>(pointer); },
                        GConnectFlags(0));
}

GtkWidget* MakeControl(const ControlTemplate& control, SdlDialogs::OpenDialog* dialog) {
  GtkWidget* widget = nullptr;
  switch (control.kind) {
    case ControlKind::kPicture: {
      std::string path = BitmapPath(control.text ? control.text : "");
      widget = std::filesystem::exists(path) ? gtk_image_new_from_file(path.c_str()) : gtk_image_new();
      break;
    }
    case ControlKind::kPushButton:
    case ControlKind::kDefaultButton:
      widget = gtk_button_new_with_mnemonic(Mnemonic(control.text).c_str());
      if (control.id != 0) Connect(widget, "clicked", G_CALLBACK(OnClicked), dialog, control.id);
      dialog->buttons.push_back(widget);
      break;
    case ControlKind::kCheckBox:
      widget = gtk_check_button_new_with_mnemonic(Mnemonic(control.text).c_str());
      if (control.id != 0) Connect(widget, "toggled", G_CALLBACK(OnClicked), dialog, control.id);
      break;
    case ControlKind::kDropDownList:
      widget = gtk_combo_box_text_new();
      if (control.id != 0) Connect(widget, "changed", G_CALLBACK(OnChanged), dialog, control.id);
      break;
    case ControlKind::kGroupBox:
      widget = gtk_frame_new(Mnemonic(control.text).c_str());
      break;
    case ControlKind::kLabel:
    case ControlKind::kSunkenLabel: {
      GtkWidget* label = gtk_label_new_with_mnemonic(Mnemonic(control.text).c_str());
      gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
      gtk_label_set_yalign(GTK_LABEL(label), 0.0f);
      if (control.kind == ControlKind::kLabel) {
        widget = label;
      } else {
        // Wraps near the frame's width; a label asks for its natural size, not the one given.
        gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
        gtk_label_set_max_width_chars(GTK_LABEL(label), Pixels(control.width) / kWrapPixelsPerChar);
        widget = gtk_frame_new(nullptr);
        gtk_frame_set_shadow_type(GTK_FRAME(widget), GTK_SHADOW_IN);
        gtk_container_add(GTK_CONTAINER(widget), label);
      }
      break;
    }
  }
  return widget;
}

// A message box as it stands on screen, read back from its widgets.
SdlDialogs::AnsweredBox DescribeBox(GtkDialog* box, int answer) {
  SdlDialogs::AnsweredBox seen;
  gchar* text = nullptr;
  GtkMessageType type = GTK_MESSAGE_OTHER;
  g_object_get(box, "text", &text, "message-type", &type, nullptr);
  seen.text = text ? text : "";
  g_free(text);
  const char* title = gtk_window_get_title(GTK_WINDOW(box));
  seen.caption = title ? title : "";
  switch (type) {
    case GTK_MESSAGE_ERROR: seen.icon = MB_ICONERROR; break;
    case GTK_MESSAGE_WARNING: seen.icon = MB_ICONWARNING; break;
    case GTK_MESSAGE_INFO: seen.icon = MB_ICONINFORMATION; break;
    default: seen.icon = 0; break;
  }
  for (int response : {GTK_RESPONSE_YES, GTK_RESPONSE_NO, GTK_RESPONSE_OK}) {
    if (GtkWidget* button = gtk_dialog_get_widget_for_response(box, response))
      seen.buttons.emplace_back(gtk_button_get_label(GTK_BUTTON(button)));
  }
  seen.answer = answer;
  return seen;
}

void PumpPendingEvents() {
  while (gtk_events_pending()) gtk_main_iteration();
}

}  // namespace

bool GtkDisplayAvailable() {
  // The game's own offscreen and dummy drivers mean nobody is watching: no window may wait.
  const char* driver = std::getenv("SDL_VIDEODRIVER");
  if (driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0)) return false;
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) return false;
  // GTK opens its display once per process.
  static const bool opened = gtk_init_check(nullptr, nullptr) == TRUE;
  return opened;
}

SdlDialogs::SdlDialogs() = default;
SdlDialogs::~SdlDialogs() = default;

SdlDialogs::OpenDialog* SdlDialogs::Find(WindowHandle dialog) {
  auto found = open_.find(dialog);
  return found == open_.end() ? nullptr : found->second.get();
}

int SdlDialogs::RunModal(const DialogTemplate& dialogTemplate, WindowHandle owner, DialogProc procedure,
                         void* context) {
  if (!GtkDisplayAvailable()) {
    std::fprintf(stderr,
                 "sorvani: cannot show the dialog \"%s\": no display (DISPLAY or WAYLAND_DISPLAY); "
                 "\"noOpeningDialog\"=dword:00000001 in the settings file skips the launcher\n",
                 dialogTemplate.caption ? dialogTemplate.caption : "");
    return -1;
  }
  ApplyStyle(dialogTemplate);
  const WindowHandle handle = nextHandle_++;
  auto& slot = open_[handle];
  slot = std::make_unique<OpenDialog>();
  OpenDialog* dialog = slot.get();
  dialog->owner = this;
  dialog->handle = handle;
  dialog->procedure = procedure;
  dialog->context = context;

  dialog->window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  GtkWindow* window = GTK_WINDOW(dialog->window);
  gtk_window_set_title(window, dialogTemplate.caption ? dialogTemplate.caption : "");
  gtk_window_set_modal(window, TRUE);
  gtk_window_set_resizable(window, FALSE);
  gtk_window_set_type_hint(window, GDK_WINDOW_TYPE_HINT_DIALOG);
  if (OpenDialog* parent = Find(owner)) {
    gtk_window_set_transient_for(window, GTK_WINDOW(parent->window));
    gtk_window_set_position(window, GTK_WIN_POS_CENTER_ON_PARENT);
  } else {
    gtk_window_set_position(window, GTK_WIN_POS_CENTER);
  }
  GtkWidget* layout = gtk_fixed_new();
  gtk_widget_set_size_request(layout, Pixels(dialogTemplate.width), Pixels(dialogTemplate.height));
  gtk_container_add(GTK_CONTAINER(window), layout);

  for (std::size_t i = 0; i < dialogTemplate.controlCount; ++i) {
    const ControlTemplate& control = dialogTemplate.controls[i];
    GtkWidget* widget = MakeControl(control, dialog);
    int height = control.kind == ControlKind::kDropDownList ? kDropDownUnits : control.height;
    gtk_widget_set_size_request(widget, Pixels(control.width), Pixels(height));
    gtk_fixed_put(GTK_FIXED(layout), widget, Pixels(control.x), Pixels(control.y));
    if (control.id != 0) dialog->controls[control.id] = widget;
    if (control.kind == ControlKind::kDefaultButton) {
      gtk_widget_set_can_default(widget, TRUE);
      gtk_window_set_default(window, widget);
    }
  }
  g_signal_connect(dialog->window, "delete-event", G_CALLBACK(OnDelete), dialog);
  g_signal_connect(dialog->window, "key-press-event", G_CALLBACK(OnKeyPress), dialog);
  g_signal_connect_after(dialog->window, "draw", G_CALLBACK(OnDrawn), dialog);

  if (procedure) {
    ++dialog->quiet;  // init sets up controls; that is no user's doing
    procedure(handle, DialogEvent::kInit, 0, context);
    --dialog->quiet;
  }
  if (!dialog->ended) gtk_widget_show_all(dialog->window);
  bool hookRan = false;
  while (!dialog->ended) {
    gtk_main_iteration_do(!(dialog->shown && onShown_ && !hookRan) ? TRUE : FALSE);
    if (dialog->shown && onShown_ && !hookRan && !gtk_events_pending()) {
      hookRan = true;
      onShown_(handle);
    }
  }
  const int result = dialog->result;
  gtk_widget_destroy(dialog->window);
  open_.erase(handle);
  PumpPendingEvents();
  return result;
}

void SdlDialogs::EndDialog(WindowHandle dialog, int result) {
  if (OpenDialog* found = Find(dialog)) {
    found->ended = true;
    found->result = result;
  }
}

void SdlDialogs::SetCaption(WindowHandle dialog, const char* text) {
  if (OpenDialog* found = Find(dialog)) gtk_window_set_title(GTK_WINDOW(found->window), text ? text : "");
}

void SdlDialogs::SetControlText(WindowHandle dialog, int controlId, const char* text) {
  OpenDialog* found = Find(dialog);
  if (!found || !found->controls.count(controlId)) return;
  GtkWidget* widget = found->controls[controlId];
  if (GTK_IS_BUTTON(widget)) gtk_button_set_label(GTK_BUTTON(widget), Mnemonic(text).c_str());
  else if (GTK_IS_LABEL(widget)) gtk_label_set_text_with_mnemonic(GTK_LABEL(widget), Mnemonic(text).c_str());
}

void SdlDialogs::EnableControl(WindowHandle dialog, int controlId, bool enabled) {
  OpenDialog* found = Find(dialog);
  if (found && found->controls.count(controlId)) gtk_widget_set_sensitive(found->controls[controlId], enabled);
}

void SdlDialogs::SetCheck(WindowHandle dialog, int controlId, bool checked) {
  OpenDialog* found = Find(dialog);
  if (!found || !found->controls.count(controlId) || !GTK_IS_TOGGLE_BUTTON(found->controls[controlId])) return;
  ++found->quiet;
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(found->controls[controlId]), checked);
  --found->quiet;
}

bool SdlDialogs::IsChecked(WindowHandle dialog, int controlId) {
  OpenDialog* found = Find(dialog);
  if (!found || !found->controls.count(controlId) || !GTK_IS_TOGGLE_BUTTON(found->controls[controlId])) return false;
  return gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(found->controls[controlId])) == TRUE;
}

int SdlDialogs::AddListEntry(WindowHandle dialog, int controlId, const char* text) {
  OpenDialog* found = Find(dialog);
  if (!found || !found->controls.count(controlId) || !GTK_IS_COMBO_BOX_TEXT(found->controls[controlId])) return -1;
  GtkWidget* list = found->controls[controlId];
  gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(list), text ? text : "");
  return ListEntryCount(dialog, controlId) - 1;
}

int SdlDialogs::ListEntryCount(WindowHandle dialog, int controlId) {
  OpenDialog* found = Find(dialog);
  if (!found || !found->controls.count(controlId) || !GTK_IS_COMBO_BOX(found->controls[controlId])) return 0;
  GtkTreeModel* model = gtk_combo_box_get_model(GTK_COMBO_BOX(found->controls[controlId]));
  return model ? gtk_tree_model_iter_n_children(model, nullptr) : 0;
}

void SdlDialogs::SelectListEntry(WindowHandle dialog, int controlId, int index) {
  OpenDialog* found = Find(dialog);
  if (!found || !found->controls.count(controlId) || !GTK_IS_COMBO_BOX(found->controls[controlId])) return;
  ++found->quiet;
  gtk_combo_box_set_active(GTK_COMBO_BOX(found->controls[controlId]),
                           index < ListEntryCount(dialog, controlId) ? index : -1);
  --found->quiet;
}

int SdlDialogs::SelectedListEntry(WindowHandle dialog, int controlId) {
  OpenDialog* found = Find(dialog);
  if (!found || !found->controls.count(controlId) || !GTK_IS_COMBO_BOX(found->controls[controlId])) return -1;
  return gtk_combo_box_get_active(GTK_COMBO_BOX(found->controls[controlId]));
}

bool SdlDialogs::AddTooltip(WindowHandle dialog, int controlId, const char* text) {
  OpenDialog* found = Find(dialog);
  if (!found || !found->controls.count(controlId) || text == nullptr) return false;
  gtk_widget_set_tooltip_text(found->controls[controlId], text);
  return true;
}

int SdlDialogs::MessageBox(WindowHandle owner, const char* text, const char* caption, std::uint32_t flags) {
  const bool question = (flags & 0x0F) == MB_YESNO;
  if (!GtkDisplayAvailable()) {
    // Nobody can answer: say it on one line and take the answer that changes nothing.
    std::string line = WithoutCarriageReturns(text);
    for (char& c : line) {
      if (c == '\n') c = ' ';
    }
    std::fprintf(stderr, "%s: %s\n", caption ? caption : "", line.c_str());
    return question ? IDNO : IDOK;
  }
  GtkMessageType type = GTK_MESSAGE_OTHER;
  switch (flags & 0xF0) {
    case MB_ICONERROR: type = GTK_MESSAGE_ERROR; break;
    case MB_ICONWARNING: type = GTK_MESSAGE_WARNING; break;
    case MB_ICONINFORMATION: type = GTK_MESSAGE_INFO; break;
    default: type = question ? GTK_MESSAGE_QUESTION : GTK_MESSAGE_OTHER; break;
  }
  OpenDialog* parent = Find(owner);
  GtkWidget* box = gtk_message_dialog_new(parent ? GTK_WINDOW(parent->window) : nullptr, GTK_DIALOG_MODAL, type,
                                          GTK_BUTTONS_NONE, "%s", WithoutCarriageReturns(text).c_str());
  gtk_window_set_title(GTK_WINDOW(box), caption ? caption : "");
  // The game's own button texts whatever the locale, and Enter on the first one, as a Windows
  // box has them.
  GtkDialog* asked = GTK_DIALOG(box);
  if (question) {
    gtk_dialog_add_button(asked, "はい", GTK_RESPONSE_YES);
    gtk_dialog_add_button(asked, "いいえ", GTK_RESPONSE_NO);
    gtk_dialog_set_default_response(asked, GTK_RESPONSE_YES);
  } else {
    gtk_dialog_add_button(asked, "OK", GTK_RESPONSE_OK);
    gtk_dialog_set_default_response(asked, GTK_RESPONSE_OK);
  }
  if (flags & MB_TOPMOST) gtk_window_set_keep_above(GTK_WINDOW(box), TRUE);
  const int response = gtk_dialog_run(asked);
  const int answer = question ? (response == GTK_RESPONSE_YES ? IDYES : IDNO) : IDOK;
  if (onBoxAnswered_) onBoxAnswered_(DescribeBox(asked, answer));
  gtk_widget_destroy(box);
  PumpPendingEvents();
  return answer;
}

bool SdlDialogs::SaveSnapshot(WindowHandle dialog, const char* pngPath) {
  OpenDialog* found = Find(dialog);
  if (!found || !found->shown) return false;
  GdkWindow* window = gtk_widget_get_window(found->window);
  if (window == nullptr) return false;
  GdkPixbuf* pixels =
      gdk_pixbuf_get_from_window(window, 0, 0, gdk_window_get_width(window), gdk_window_get_height(window));
  if (pixels == nullptr) return false;
  const bool saved = gdk_pixbuf_save(pixels, pngPath, "png", nullptr, nullptr) == TRUE;
  g_object_unref(pixels);
  return saved;
}

std::vector<std::string> SdlDialogs::ButtonTexts(WindowHandle dialog) {
  std::vector<std::string> texts;
  if (OpenDialog* found = Find(dialog)) {
    for (GtkWidget* button : found->buttons) texts.emplace_back(gtk_button_get_label(GTK_BUTTON(button)));
  }
  return texts;
}

}  // namespace platform::sdl
