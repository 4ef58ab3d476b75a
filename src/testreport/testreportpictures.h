#pragma once
#include <QPixmap>

// The pictures of the test report page, from the program's icon set.
QPixmap passPicture();              // green PASS mark for the Overall Pass column
QPixmap failPicture();              // red FAIL mark
QPixmap searchPicture();            // the magnifier before the search box
QPixmap searchCancelActivePicture();    // the cancel image while the mouse is over it
QPixmap searchCancelInactivePicture();  // and otherwise
