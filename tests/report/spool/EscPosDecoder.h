#pragma once

#include "DotPage.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Reads back what a receipt printer would make of an ESC/POS document, independently of the encoder: the
// raster images stacked into one picture of dots, the height of each image, and the commands after the
// last image. Anything else in the document is an error.
struct DecodedEscPos {
    bool initialises = false; // starts with ESC @
    int width = 0;            // dots per row; every image must have it
    QList<int> bandRows;
    DotPage dots;
    QByteArray tail; // the bytes after the last raster image (feed and cut)
    QString error;   // empty when the document is well formed
};

DecodedEscPos decodeEscPos(const QByteArray& document);

// `page` as a head `dots` wide prints it: centred when narrower, its left part when wider.
DotPage placedOnHead(const DotPage& page, int dots);
