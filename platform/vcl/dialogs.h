// Dialogs: the framework's message dialog (MessageDlg and its family,
// ShowMessage), InputQuery/InputBox, and the open and save file dialogs,
// all built from forms and standard controls in code.
//
// The message dialog is laid out as the framework lays it out: an icon on the
// left, the word-wrapped text beside it, the buttons centred in one row
// below, in the order of TMsgDlgBtn. Its components are named so callers can
// find them: "Image", "Message" and one button per kind ("Yes", "No", "OK",
// "Cancel", "Abort", "Retry", "Ignore", "All", "NoToAll", "YesToAll", "Help",
// "Close").
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/classes/strings.h"
#include "platform/vcl/forms.h"

enum TMsgDlgType : uint8_t { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn : uint8_t {
  mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp, mbClose
};
using TMsgDlgButtons = TSmallSet<TMsgDlgBtn>;

inline constexpr TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline constexpr TMsgDlgButtons mbYesAllNoAllCancel{mbYes, mbYesToAll, mbNo, mbNoToAll, mbCancel};
inline constexpr TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline constexpr TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};
inline constexpr TMsgDlgButtons mbAbortIgnore{mbAbort, mbIgnore};

// The modal result a button of the kind gives (mrNone for Help).
TModalResult MsgDlgButtonResult(TMsgDlgBtn button);

// Builds the dialog without showing it; the caller owns (and frees) it. The
// default button is OK, else Yes, else Retry (when present); Escape
// clicks Cancel, else No, else OK.
TCustomForm* CreateMessageDialog(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons);
TCustomForm* CreateMessageDialog(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                                 TMsgDlgBtn DefaultButton);

// Shows the dialog modally and returns the modal result of the button
// pressed (mrCancel when it was closed otherwise). X and Y place it (-1:
// centred on the screen).
int32_t MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int32_t HelpCtx);
int32_t MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int32_t HelpCtx,
                   TMsgDlgBtn DefaultButton);
int32_t MessageDlgPos(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int32_t HelpCtx, int32_t X,
                      int32_t Y);
int32_t MessageDlgPosHelp(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int32_t HelpCtx,
                          int32_t X, int32_t Y, const std::string& HelpFileName);

// An OK box titled with the application's title.
void ShowMessage(const std::string& Msg);
void ShowMessagePos(const std::string& Msg, int32_t X, int32_t Y);

// A prompt with an edit, OK and Cancel. InputQuery answers whether OK was
// pressed and then puts the text in Value; InputBox returns the text, or
// ADefault when cancelled.
bool InputQuery(const std::string& ACaption, const std::string& APrompt, std::string& Value);
std::string InputBox(const std::string& ACaption, const std::string& APrompt, const std::string& ADefault);

// ---------------------------------------------------------------- common dialogs
class TCommonDialog : public TComponent {
  DX_CLASS(TCommonDialog, TComponent)
public:
  explicit TCommonDialog(TComponent* AOwner);
  // Runs the dialog modally; true when the user accepted it.
  virtual bool Execute() = 0;
  int32_t HelpContext() const { return helpContext_; }
  void SetHelpContext(int32_t v) { helpContext_ = v; }
  bool Ctl3D() const { return true; }
  void SetCtl3D(bool) {}
  // The dialog's form while it runs (from OnShow to OnClose), null otherwise.
  TCustomForm* Form() const { return form_; }

  // Fired once the dialog is on the screen, and once it is gone.
  TNotifyEvent OnShow;
  TNotifyEvent OnClose;

protected:
  virtual void DoShow();
  virtual void DoClose();
  TCustomForm* form_ = nullptr;

private:
  int32_t helpContext_ = 0;
};

enum TOpenOption : uint8_t {
  ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate, ofAllowMultiSelect,
  ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt, ofShareAware, ofNoReadOnlyReturn,
  ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames, ofOldStyleDialog, ofNoDereferenceLinks,
  ofEnableIncludeNotify, ofEnableSizing, ofDontAddToRecent, ofForceShowHidden
};
using TOpenOptions = TSmallSet<TOpenOption>;

// One entry of a filter string: "Images (*.jpg)|*.jpg;*.jpeg|All|*.*" has two.
struct TFileFilter {
  std::string Description;
  std::vector<std::string> Masks;
};
std::vector<TFileFilter> ParseFileFilter(const std::string& filter);
// Whether a file name fits a mask with '*' and '?' (ignoring case); "*.*"
// and "*" take every name.
bool MatchesFileMask(const std::string& fileName, const std::string& mask);

// The open dialog: our own modal window with a folder list, a file list
// filtered by the chosen filter, a file-name edit and the filter list.
// Components of its form: "FolderList", "FileList", "FileName", "FileType",
// "Path", "OK", "Cancel".
class TOpenDialog : public TCommonDialog {
  DX_COMPONENT_CLASS(TOpenDialog, TCommonDialog)
public:
  explicit TOpenDialog(TComponent* AOwner);
  ~TOpenDialog() override;

  bool Execute() override;

  // The chosen file, full path (also the file shown first when the dialog opens).
  const std::string& FileName() const { return fileName_; }
  void SetFileName(const std::string& v) { fileName_ = v; }
  // Every chosen file (ofAllowMultiSelect), full paths.
  TStrings* Files() { return files_.get(); }
  // "Description|*.a;*.b|...".
  const std::string& Filter() const { return filter_; }
  void SetFilter(const std::string& v) { filter_ = v; }
  // 1-based.
  int32_t FilterIndex() const { return filterIndex_; }
  void SetFilterIndex(int32_t v) { filterIndex_ = v; }
  const std::string& InitialDir() const { return initialDir_; }
  void SetInitialDir(const std::string& v) { initialDir_ = v; }
  // Added (without the dot) to a typed name that has no extension.
  const std::string& DefaultExt() const { return defaultExt_; }
  void SetDefaultExt(const std::string& v) { defaultExt_ = v; }
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& v) { title_ = v; }
  TOpenOptions Options() const { return options_; }
  void SetOptions(TOpenOptions v) { options_ = v; }

  // Asked before the dialog accepts the chosen files.
  TCloseQueryEvent OnCanClose;
  TNotifyEvent OnTypeChange;
  TNotifyEvent OnFolderChange;

protected:
  // Whether this is a save dialog (button caption, overwrite prompt).
  virtual bool Saving() const { return false; }
  virtual std::string DefaultTitle() const;

private:
  std::string fileName_;
  std::unique_ptr<TStringList> files_;
  std::string filter_;
  int32_t filterIndex_ = 1;
  std::string initialDir_;
  std::string defaultExt_;
  std::string title_;
  TOpenOptions options_ = {ofHideReadOnly, ofEnableSizing};
};

class TSaveDialog : public TOpenDialog {
  DX_COMPONENT_CLASS(TSaveDialog, TOpenDialog)
public:
  using TOpenDialog::TOpenDialog;

protected:
  bool Saving() const override { return true; }
  std::string DefaultTitle() const override;
};

void RegisterDialogsClasses();
