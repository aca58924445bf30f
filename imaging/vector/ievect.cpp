#include "imaging/vector/ievect.h"

#include "imaging/core/ieinit.h"
#include "imaging/view/ieview.h"
#include "imaging/view/voviderview.h"
#include "platform/win/winuser.h"

namespace {

uint32_t g_clipboardFormat = 0;
std::unique_ptr<std::vector<std::unique_ptr<TIEVectExtension>>> g_extensions;

}  // namespace

void IEVectInitialize() {
  g_clipboardFormat = win::RegisterClipboardFormat("VOVIDER VECT");
  // Align left, centre, right, justify; copy, cut, paste; font dialog; bold,
  // italic, underline; colour dialog.
  constexpr char letters[iesShortcutCount] = {'L', 'E', 'R', 'J', 'C', 'X', 'V', 'F', 'B', 'I', 'U', 'G'};
  for (size_t i = 0; i < IEEditShortcuts.size(); ++i) IEEditShortcuts[i] = ShortCut(win::WORD(letters[i]), {ssCtrl});
  g_extensions = std::make_unique<std::vector<std::unique_ptr<TIEVectExtension>>>();
}

void IEVectFinalize() {
  if (g_extensions) g_extensions->clear();
  g_extensions.reset();
}

void IEVectBindLibrary() {
  // The view library cannot reach up to this one, so the chain starts here.
  IEViewBindLibrary();
  IEBindLibraryUnit(ieluVect, &IEVectInitialize, &IEVectFinalize);
}

uint32_t IEVectClipboardFormat() { return g_clipboardFormat; }

std::vector<std::unique_ptr<TIEVectExtension>>* IEVectExtensions() { return g_extensions.get(); }
