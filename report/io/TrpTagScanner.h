#pragma once

#include <QByteArrayView>
#include <vector>

// Splits a template document into its declaration and a tree of elements. This is deliberately not a
// general XML parser: its tolerances and its errors are part of the template format.
//
// - Text up to the next "<" is skipped (a byte order mark before the declaration, text between
//   elements); comments from "<!--" to "-->" are skipped wherever a tag could begin.
// - A tag runs to the next ">"; a "<" inside a tag, or the end of the data inside a tag, is an error.
// - The first tag must begin with "?xml". Version "1.0" without a standalone attribute marks an old-style
//   file, whose attribute texts are in the ANSI code page.
// - A tag's name runs to its first space; the rest without one trailing space is its attribute text. A
//   name or attribute text ending in "/" closes the element at once.
// - Otherwise children follow until a closing tag, which must be "/" and the element's name (letter case
//   ignored). The end of the data in place of closing tags is accepted.
// Elements nest at most MaxDepth levels deep; deeper nesting is an error, which keeps every later walk of
// the tree within a bounded stack.
class TrpTagScanner {
public:
    static constexpr int MaxDepth = 200;

    struct Element {
        QByteArrayView name;
        QByteArrayView attributes;
        int firstChild = -1;
        int nextSibling = -1;
    };

    // Scans the data; false on a format error. The views point into data, which must outlive the result.
    bool scan(QByteArrayView data);

    bool oldStyle() const { return m_oldStyle; }
    // The root element's index, or -1 when the document has none.
    int root() const { return m_root; }
    const Element& element(int index) const { return m_elements[static_cast<size_t>(index)]; }

private:
    enum class TagResult { Tag, End, Error };
    TagResult nextTag(QByteArrayView& tag);
    int addElement(QByteArrayView tag, bool& closed);

    QByteArrayView m_data;
    qsizetype m_pos = 0;
    bool m_oldStyle = false;
    int m_root = -1;
    std::vector<Element> m_elements;
};
