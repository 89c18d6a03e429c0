#include "controls/ModalResult.h"

namespace controls {

UINT ModalResultMessage() {
  static const UINT message = RegisterWindowMessageW(L"StyledControls.ModalResult");
  return message;
}

}  // namespace controls
