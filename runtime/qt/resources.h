#pragma once

#include <QIcon>
#include <QPixmap>

// The program's pictures and icons, by the resource ids of its layout. The
// program's Qt resource file holds each under its id: the picture with id N
// as :/pictures/N, the icon with id N as the images of the folder :/icons/N,
// one per size.
namespace runtime::qt {

QPixmap loadPicture(int pictureId);
QIcon loadIcon(int iconId);

}  // namespace runtime::qt
