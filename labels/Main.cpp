#include "labels/Main.h"

void TfrmMain::Create()
{
    FormStyle style;
    style.caption = L"Marrowby";
    style.width = 640;
    style.height = 480;
    Form::Create(style);
}
