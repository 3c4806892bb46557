// The About window's picture list: one drawn picture per device model, a
// stylised front panel carrying the model's name. Indices 5 to 8 are the
// first-generation Arlen, Borvek, Calio and Dumara; 9 to 11 the
// second-generation Arlen, Borvek and Calio.
#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

namespace zelvan::about {

constexpr int kFirstPicture = 5;
constexpr int kLastPicture = 11;
constexpr QSize kPictureSize(320, 96);

// The model name a picture shows; empty for an index without a picture.
QString pictureModelName(int index);

// The picture at an index of the list; an index without a picture gives a
// plain empty panel of the same size.
QPixmap modelPicture(int index);

}  // namespace zelvan::about
