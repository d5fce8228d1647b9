#pragma once

#include <QByteArray>

class TrpReport;

// Reads a template document into an emptied report: scans the whole document (TrpTagScanner), then builds
// the tree. Problems become error lines of the report, sorted and each once:
// - "Invalid file format": a malformed document; no object is read then;
// - "Cannot find class <name>": an element of a class outside the tree, skipped with everything inside;
// - "'<value>' is not a valid integer value", "'<value>' is not a valid floating point value": a value
//   that does not convert; the property keeps its value and reading goes on;
// - "prDupl": a Name that another object of the report already has;
// - "<object>: Invalid picture data", "<object>: Picture cannot be decoded": a picture record that is
//   not one, or an image that does not decode (its bytes are kept).
// Attributes that name no writable property are skipped without an error. An element whose Name an object
// of the report already has updates that object. Object references are resolved after the whole tree is
// read; then every object is told that loading has ended.
class TrpTemplateReader {
public:
    static void read(TrpReport& report, const QByteArray& data);
};
