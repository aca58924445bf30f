// TOpenDialog and TSaveDialog: a modal window of our own over the file
// system, with the framework's filter strings and options.
//
//   +--------------------------------------------------+
//   | Look in: /home/user/pictures                     |
//   | +-Folders------+ +-Files-----------------------+ |
//   | | ..           | | a.mpo                       | |
//   | | holiday      | | b.jpg                       | |
//   | +--------------+ +-----------------------------+ |
//   | File name: [b.jpg                 ] [  Open  ]   |
//   | Files of type: [Images (*.mpo)   v] [ Cancel ]   |
//   +--------------------------------------------------+
#include <algorithm>
#include <filesystem>
#include <mutex>
#include <system_error>

#include "platform/classes/resstrings.h"
#include "platform/classes/typinfo.h"
#include "platform/rtl/sysutils.h"
#include "platform/rtl/text.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/stdctrls.h"

namespace fs = std::filesystem;

DX_RESOURCESTRING(SOpenDialogTitle, 0, "Open");
DX_RESOURCESTRING(SSaveDialogTitle, 0, "Save As");
DX_RESOURCESTRING(SOpenButton, 0, "&Open");
DX_RESOURCESTRING(SSaveButton, 0, "&Save");
DX_RESOURCESTRING(SLookIn, 0, "Look &in:");
DX_RESOURCESTRING(SFileNameLabel, 0, "File &name:");
DX_RESOURCESTRING(SFileTypeLabel, 0, "Files of &type:");
DX_RESOURCESTRING(SFileNotFound, 0, "%s\r\nFile not found.\r\nCheck the file name and try again.");
DX_RESOURCESTRING(SPathNotFound, 0, "%s\r\nPath does not exist.\r\nCheck the path and try again.");
DX_RESOURCESTRING(SFileExists, 0, "%s already exists.\r\nDo you want to replace it?");

// ---------------------------------------------------------------- filters
std::vector<TFileFilter> ParseFileFilter(const std::string& filter) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t bar = filter.find('|', start);
    parts.push_back(filter.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  std::vector<TFileFilter> out;
  for (size_t i = 0; i + 1 < parts.size(); i += 2) {
    TFileFilter f;
    f.Description = parts[i];
    size_t s = 0;
    const std::string& masks = parts[i + 1];
    for (;;) {
      const size_t semi = masks.find(';', s);
      std::string m = Trim(masks.substr(s, semi == std::string::npos ? std::string::npos : semi - s));
      if (!m.empty()) f.Masks.push_back(m);
      if (semi == std::string::npos) break;
      s = semi + 1;
    }
    out.push_back(std::move(f));
  }
  return out;
}

bool MatchesFileMask(const std::string& fileName, const std::string& mask) {
  if (mask == "*" || mask == "*.*") return true;
  const std::u32string n = Utf8ToUtf32(CpLowerCase(fileName)), m = Utf8ToUtf32(CpLowerCase(mask));
  // Greedy matching with one backtrack point per '*'.
  size_t i = 0, j = 0, starJ = std::u32string::npos, starI = 0;
  while (i < n.size()) {
    if (j < m.size() && (m[j] == U'?' || m[j] == n[i])) {
      ++i;
      ++j;
    } else if (j < m.size() && m[j] == U'*') {
      starJ = j++;
      starI = i;
    } else if (starJ != std::u32string::npos) {
      j = starJ + 1;
      i = ++starI;
    } else {
      return false;
    }
  }
  while (j < m.size() && m[j] == U'*') ++j;
  return j == m.size();
}

namespace {

bool IsDir(const std::string& p) {
  std::error_code ec;
  return fs::is_directory(fs::path(p), ec);
}

bool Exists(const std::string& p) {
  std::error_code ec;
  return fs::exists(fs::path(p), ec);
}

std::string Join(const std::string& dir, const std::string& name) {
  if (!name.empty() && name[0] == '/') return name;
  return (fs::path(dir) / name).lexically_normal().string();
}

// The dialog's window: lists, edit and buttons, and what they do.
class TFileDialogForm : public TForm {
public:
  TFileDialogForm(TOpenDialog* dialog, bool saving) : TForm(nullptr), dialog_(dialog), saving_(saving) {
    SetBorderStyle(bsSizeable);
    SetBorderIcons({biSystemMenu, biMaximize});
    if (Screen) Font()->Assign(Screen->MessageFont());
    SetClientSize(520, 360);
    SetPosition(poScreenCenter);
    filters_ = ParseFileFilter(dialog->Filter());
    Build();
  }

  std::vector<std::string> chosen;

  void Open(const std::string& dir) {
    std::error_code ec;
    fs::path p = fs::absolute(fs::path(dir.empty() ? "." : dir), ec).lexically_normal();
    std::string s = p.string();
    if (s.size() > 1 && s.back() == '/') s.pop_back();
    dir_ = s;
    path_->SetCaption(dir_);
    Refresh();
    if (dialog_->OnFolderChange) dialog_->OnFolderChange(dialog_);
  }

  void SetFilterIndex(int32_t oneBased) {
    if (filters_.empty()) return;
    if (oneBased < 1 || oneBased > int32_t(filters_.size())) oneBased = 1;
    type_->SetItemIndex(oneBased - 1);
  }

  int32_t FilterIndex() const { return type_->ItemIndex() + 1; }
  void SetTypedName(const std::string& n) { name_->SetText(n); }

private:
  template <class T>
  T* Make(const char* name, int32_t x, int32_t y, int32_t w, int32_t h) {
    auto* c = new T(this);
    c->SetName(name);
    c->SetParent(this);
    c->SetBounds(x, y, w, h);
    return c;
  }

  void Build() {
    const int32_t W = ClientWidth(), H = ClientHeight();
    auto* lookIn = Make<TLabel>("LookInLabel", 8, 10, 70, 17);
    lookIn->SetCaption(LoadResString(SLookIn));
    path_ = Make<TLabel>("Path", 80, 10, W - 88, 17);
    path_->SetAutoSize(false);
    path_->SetShowAccelChar(false);
    path_->SetAnchors({akLeft, akTop, akRight});

    folders_ = Make<TListBox>("FolderList", 8, 32, 150, H - 110);
    folders_->SetAnchors({akLeft, akTop, akBottom});
    folders_->OnDblClick = [this](TObject*) { EnterFolder(); };
    folders_->OnKeyDown = [this](TObject*, win::WORD& key, TShiftState) {
      if (key == win::VK_RETURN) {
        EnterFolder();
        key = 0;
      }
    };
    lookIn->SetFocusControl(folders_);

    files_ = Make<TListBox>("FileList", 166, 32, W - 174, H - 110);
    files_->SetAnchors({akLeft, akTop, akRight, akBottom});
    files_->SetMultiSelect(dialog_->Options().Contains(ofAllowMultiSelect));
    files_->OnClick = [this](TObject*) { FileClicked(); };
    files_->OnDblClick = [this](TObject*) {
      FileClicked();
      Accept();
    };

    auto* nameLabel = Make<TLabel>("FileNameLabel", 8, H - 68, 90, 17);
    nameLabel->SetCaption(LoadResString(SFileNameLabel));
    nameLabel->SetAnchors({akLeft, akBottom});
    name_ = Make<TEdit>("FileName", 104, H - 70, W - 200, 21);
    name_->SetAnchors({akLeft, akRight, akBottom});
    nameLabel->SetFocusControl(name_);

    auto* typeLabel = Make<TLabel>("FileTypeLabel", 8, H - 38, 90, 17);
    typeLabel->SetCaption(LoadResString(SFileTypeLabel));
    typeLabel->SetAnchors({akLeft, akBottom});
    type_ = Make<TComboBox>("FileType", 104, H - 40, W - 200, 21);
    type_->SetStyle(csDropDownList);
    type_->SetAnchors({akLeft, akRight, akBottom});
    for (const TFileFilter& f : filters_) type_->Items()->Add(f.Description);
    type_->OnChange = [this](TObject*) {
      Refresh();
      if (dialog_->OnTypeChange) dialog_->OnTypeChange(dialog_);
    };
    typeLabel->SetFocusControl(type_);

    ok_ = Make<TButton>("OK", W - 86, H - 71, 78, 25);
    ok_->SetCaption(LoadResString(saving_ ? SSaveButton : SOpenButton));
    ok_->SetDefault(true);
    ok_->SetAnchors({akRight, akBottom});
    ok_->OnClick = [this](TObject*) { Accept(); };
    auto* cancel = Make<TButton>("Cancel", W - 86, H - 41, 78, 25);
    cancel->SetCaption(LoadResString(SMsgDlgCancel));
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    cancel->SetAnchors({akRight, akBottom});
    SetActiveControl(name_);
  }

  std::vector<std::string> Masks() const {
    const int32_t i = type_->ItemIndex();
    if (i < 0 || i >= int32_t(filters_.size())) return {"*"};
    return filters_[size_t(i)].Masks;
  }

  void Refresh() {
    std::vector<std::string> dirs, names;
    const bool hidden = dialog_->Options().Contains(ofForceShowHidden);
    std::error_code ec;
    for (fs::directory_iterator it(fs::path(dir_), fs::directory_options::skip_permission_denied, ec), end;
         !ec && it != end; it.increment(ec)) {
      const std::string n = it->path().filename().string();
      if (!hidden && !n.empty() && n[0] == '.') continue;
      std::error_code e2;
      if (it->is_directory(e2)) {
        dirs.push_back(n);
        continue;
      }
      const std::vector<std::string> masks = override_.empty() ? Masks() : std::vector<std::string>{override_};
      if (std::any_of(masks.begin(), masks.end(), [&](const std::string& m) { return MatchesFileMask(n, m); }))
        names.push_back(n);
    }
    auto byName = [](const std::string& a, const std::string& b) { return AnsiCompareText(a, b) < 0; };
    std::sort(dirs.begin(), dirs.end(), byName);
    std::sort(names.begin(), names.end(), byName);
    folders_->Items()->BeginUpdate();
    folders_->Items()->Clear();
    if (dir_ != "/") folders_->Items()->Add("..");
    for (const std::string& d : dirs) folders_->Items()->Add(d);
    folders_->Items()->EndUpdate();
    files_->Items()->BeginUpdate();
    files_->Items()->Clear();
    for (const std::string& n : names) files_->Items()->Add(n);
    files_->Items()->EndUpdate();
  }

  void EnterFolder() {
    const int32_t i = folders_->ItemIndex();
    if (i < 0) return;
    const std::string name = folders_->Items()->Strings(i);
    Open(name == ".." ? fs::path(dir_).parent_path().string() : Join(dir_, name));
  }

  void FileClicked() {
    std::vector<std::string> sel;
    for (int32_t i = 0; i < files_->Count(); ++i)
      if (files_->Selected(i)) sel.push_back(files_->Items()->Strings(i));
    if (sel.empty()) return;
    if (sel.size() == 1) {
      name_->SetText(sel[0]);
    } else {
      std::string text;
      for (const std::string& s : sel) text += (text.empty() ? "\"" : " \"") + s + "\"";
      name_->SetText(text);
    }
  }

  // The names typed: one, or several in quotes.
  std::vector<std::string> TypedNames() const {
    const std::string text = Trim(name_->Text());
    std::vector<std::string> out;
    if (text.find('"') == std::string::npos) {
      if (!text.empty()) out.push_back(text);
      return out;
    }
    size_t p = 0;
    while ((p = text.find('"', p)) != std::string::npos) {
      const size_t q = text.find('"', p + 1);
      if (q == std::string::npos) break;
      if (q > p + 1) out.push_back(text.substr(p + 1, q - p - 1));
      p = q + 1;
    }
    return out;
  }

  void Accept() {
    const std::vector<std::string> names = TypedNames();
    if (names.empty()) {
      // Nothing typed: Enter in a folder list opens the folder.
      if (folders_->Focused()) EnterFolder();
      return;
    }
    if (names.size() == 1) {
      const std::string full = Join(dir_, names[0]);
      if (IsDir(full)) {
        name_->SetText("");
        override_.clear();
        Open(full);
        return;
      }
      if (names[0].find_first_of("*?") != std::string::npos) {
        // A mask typed in the name box filters the list.
        const std::string folder = ExtractFileDir(full);
        override_ = ExtractFileName(full);
        if (IsDir(folder)) Open(folder);
        return;
      }
    }
    std::vector<std::string> paths;
    const TOpenOptions opt = dialog_->Options();
    for (const std::string& n : names) {
      std::string full = Join(dir_, n);
      if (!dialog_->DefaultExt().empty() && ExtractFileExt(full).empty() && !Exists(full)) {
        std::string ext = dialog_->DefaultExt();
        if (ext[0] != '.') ext = "." + ext;
        full += ext;
      }
      if ((opt.Contains(ofPathMustExist) || opt.Contains(ofFileMustExist)) && !IsDir(ExtractFileDir(full))) {
        MessageDlg(Format(LoadResString(SPathNotFound), full), mtWarning, {mbOK}, 0);
        return;
      }
      if (opt.Contains(ofFileMustExist) && !Exists(full)) {
        MessageDlg(Format(LoadResString(SFileNotFound), ExtractFileName(full)), mtWarning, {mbOK}, 0);
        return;
      }
      if (saving_ && opt.Contains(ofOverwritePrompt) && Exists(full) &&
          MessageDlg(Format(LoadResString(SFileExists), full), mtWarning, {mbYes, mbNo}, 0) != mrYes)
        return;
      paths.push_back(full);
    }
    chosen = paths;
    bool canClose = true;
    if (dialog_->OnCanClose) {
      const std::string keep = dialog_->FileName();
      dialog_->SetFileName(paths.front());
      dialog_->OnCanClose(dialog_, canClose);
      if (!canClose) dialog_->SetFileName(keep);
    }
    if (canClose) SetModalResult(mrOk);
  }

  TOpenDialog* dialog_;
  bool saving_;
  std::vector<TFileFilter> filters_;
  std::string dir_;
  std::string override_;  // a mask typed into the name box
  TLabel* path_ = nullptr;
  TListBox* folders_ = nullptr;
  TListBox* files_ = nullptr;
  TEdit* name_ = nullptr;
  TComboBox* type_ = nullptr;
  TButton* ok_ = nullptr;
};

}  // namespace

// ---------------------------------------------------------------- TOpenDialog
TOpenDialog::TOpenDialog(TComponent* AOwner) : TCommonDialog(AOwner), files_(std::make_unique<TStringList>()) {}

TOpenDialog::~TOpenDialog() = default;

std::string TOpenDialog::DefaultTitle() const { return LoadResString(SOpenDialogTitle); }
std::string TSaveDialog::DefaultTitle() const { return LoadResString(SSaveDialogTitle); }

bool TOpenDialog::Execute() {
  auto form = std::make_unique<TFileDialogForm>(this, Saving());
  form->SetCaption(title_.empty() ? DefaultTitle() : title_);
  std::string dir = initialDir_;
  if (dir.empty() || !IsDir(dir)) dir = ExtractFileDir(fileName_);
  if (dir.empty() || !IsDir(dir)) dir = GetCurrentDir();
  form->SetFilterIndex(filterIndex_);
  form->Open(dir);
  form->SetTypedName(ExtractFileName(fileName_));
  form_ = form.get();
  // OnShow runs once the window is on the screen, placed and active, before the user acts.
  bool shown = false;
  form->OnActivate = [this, &shown](TObject*) {
    if (shown) return;
    shown = true;
    DoShow();
  };
  TModalResult result;
  try {
    result = form->ShowModal();
  } catch (...) {
    form_ = nullptr;
    throw;
  }
  filterIndex_ = form->FilterIndex() > 0 ? form->FilterIndex() : filterIndex_;
  const std::vector<std::string> chosen = form->chosen;
  form_ = nullptr;
  form.reset();
  DoClose();
  if (result != mrOk || chosen.empty()) return false;
  fileName_ = chosen.front();
  files_->Clear();
  for (const std::string& p : chosen) files_->Add(p);
  return true;
}

// ---------------------------------------------------------------- registration
void RegisterDialogsClasses() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterControlsClasses();
    PTypeInfo option = DefineEnumType<TOpenOption>(
        "TOpenOption",
        {"ofReadOnly", "ofOverwritePrompt", "ofHideReadOnly", "ofNoChangeDir", "ofShowHelp", "ofNoValidate",
         "ofAllowMultiSelect", "ofExtensionDifferent", "ofPathMustExist", "ofFileMustExist", "ofCreatePrompt",
         "ofShareAware", "ofNoReadOnlyReturn", "ofNoTestFileCreate", "ofNoNetworkButton", "ofNoLongNames",
         "ofOldStyleDialog", "ofNoDereferenceLinks", "ofEnableIncludeNotify", "ofEnableSizing", "ofDontAddToRecent",
         "ofForceShowHidden"});
    PTypeInfo options = DefineSetType("TOpenOptions", option);
    DefineEnumType<TMsgDlgType>("TMsgDlgType", {"mtWarning", "mtError", "mtInformation", "mtConfirmation", "mtCustom"});
    Published<TCommonDialog>()
        .Int("HelpContext", &TCommonDialog::HelpContext, &TCommonDialog::SetHelpContext, 0)
        .Event("OnShow", &TCommonDialog::OnShow)
        .Event("OnClose", &TCommonDialog::OnClose);
    Published<TOpenDialog>()
        .Str("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt)
        .Str("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName)
        .Str("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter)
        .Int("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex, 1)
        .Str("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir)
        .Set("Options", &TOpenDialog::Options, &TOpenDialog::SetOptions, options,
             TOpenOptions{ofHideReadOnly, ofEnableSizing}.Bits())
        .Str("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle)
        .Event("OnCanClose", &TOpenDialog::OnCanClose, "TCloseQueryEvent")
        .Event("OnTypeChange", &TOpenDialog::OnTypeChange)
        .Event("OnFolderChange", &TOpenDialog::OnFolderChange);
    for (TClass c : {TOpenDialog::StaticClass(), TSaveDialog::StaticClass()}) RegisterClass(c);
  });
}
