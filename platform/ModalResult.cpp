#include "platform/ModalResult.h"

UINT ModalResultMessage() {
  static const UINT message = RegisterWindowMessageW(L"StyledControls.ModalResult");
  return message;
}
