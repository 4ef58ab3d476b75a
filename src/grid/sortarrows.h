#pragma once
#include <QPixmap>

// The 10 × 10 arrows a grid's sorted column shows in its header.
QPixmap sortUpPicture();
QPixmap sortDownPicture();
