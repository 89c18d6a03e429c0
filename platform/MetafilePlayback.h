#pragma once
// Enhanced metafiles played into a rectangle with their text drawn as the device would draw it.
//
// Playing a metafile at another size than it was recorded (a zoom, a printer, a page preview)
// puts a scaling transform on the device context. Under such a transform Wine makes the
// recorded font at its scaled pixel height cut down to a whole pixel (11 px at 0.9999 of the
// size draws at 10 px), while the characters keep their recorded advances scaled exactly: the
// smaller glyphs then stand apart inside words. The player draws each text record itself,
// without the transform, with the font at its scaled height rounded to the nearest pixel,
// each word where it was recorded and its letters at that font's own advances. Texts outside
// the context's clip box are skipped; other records play as PlayEnhMetaFile plays them.
#include <windows.h>

// Plays the metafile into box as PlayEnhMetaFile does; false when it cannot be played.
bool PlayMetafile(HDC dc, HENHMETAFILE metafile, const RECT& box);
