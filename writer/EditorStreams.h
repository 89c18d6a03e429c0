#pragma once
// Moving a document between the editor control and bytes with EM_STREAMIN and EM_STREAMOUT,
// and switching the control between rich and plain text.
#include <windows.h>

#include <string>

#include "writer/CompressedRichText.h"

// The whole document into the sink. A failure of the sink goes on as it was; an error the
// control reports becomes "Failed to Save Stream".
void StreamOut(HWND editor, UINT flags, BlockSink& sink);
std::string StreamOutToString(HWND editor, UINT flags);

// Loads the whole source with the first flags. When the control reports an error, the text is
// cleared and the load runs once more from the start of the source with the second flags;
// when that fails too, throws "Failed to Load Stream". The caret ends at the start.
void StreamInWithFallback(HWND editor, RestartableSource& source, UINT first, UINT second);

bool IsPlainTextMode(HWND editor);
// The control changes its text mode only while empty, so the content leaves as text and comes
// back after the switch; the undo history starts afresh and the modified flag stays.
void SetPlainTextMode(HWND editor, bool plain);

void ClearEditor(HWND editor);
