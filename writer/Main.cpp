#include "writer/Main.h"

void TFrmMain::Create() {
  FormStyle style;
  style.caption = L"Ombrel Tessary Express";
  style.width = 1024;
  style.height = 570;
  Form::Create(style);
}
