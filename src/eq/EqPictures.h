#pragma once
// The pictures of the EQ graph, drawn by the program: the band handles (green
// at rest, red while held) and the pointing-hand pointer of the centre
// handles.

#include <QCursor>
#include <QPixmap>

namespace calvetta {

// Centre handle: a ball of 5 x 6 pixels (5 x 5 in red). Side handles: 5 x 9
// triangles pointing outwards, the left one's tip on the left.
enum class HandlePicture { MidGreen, MidRed, LeftGreen, LeftRed, RightGreen, RightRed };
QPixmap MakeHandlePicture(HandlePicture kind);

// A 32 x 32 pointing hand whose hot spot is the tip of the index finger.
QCursor MakeHandCursor();
// Where that hot spot lies in the 32 x 32 picture.
inline constexpr int kHandHotX = 12;
inline constexpr int kHandHotY = 2;

}  // namespace calvetta
