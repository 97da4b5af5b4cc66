#pragma once
// Our own pictures of notes and rests for the duration buttons and the duration picker
// (index 0 whole .. 6 sixty-fourth), drawn with QPainter.
#include <QIcon>
#include <QPixmap>

namespace glyphs {
QPixmap NotePixmap(int index, int size = 24);
QPixmap RestPixmap(int index, int size = 24);
} // namespace glyphs
