#include "TrpTagScanner.h"

#include <cstring>

namespace {
const char* findByte(const char* from, const char* end, char c) {
    return static_cast<const char*>(std::memchr(from, c, static_cast<size_t>(end - from)));
}

const char* findText(const char* from, const char* end, const char* text) {
    const size_t length = std::strlen(text);
    while (from != nullptr && static_cast<size_t>(end - from) >= length) {
        from = findByte(from, end, text[0]);
        if (from == nullptr || static_cast<size_t>(end - from) < length) {
            return nullptr;
        }
        if (std::memcmp(from, text, length) == 0) {
            return from;
        }
        ++from;
    }
    return nullptr;
}

bool sameIgnoringCase(QByteArrayView a, QByteArrayView b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (qsizetype i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        x = (x >= 'A' && x <= 'Z') ? static_cast<char>(x - 'A' + 'a') : x;
        y = (y >= 'A' && y <= 'Z') ? static_cast<char>(y - 'A' + 'a') : y;
        if (x != y) {
            return false;
        }
    }
    return true;
}

QByteArrayView tagName(QByteArrayView tag) {
    const qsizetype space = tag.indexOf(' ');
    return space < 0 ? tag : tag.first(space);
}
} // namespace

TrpTagScanner::TagResult TrpTagScanner::nextTag(QByteArrayView& tag) {
    const char* begin = m_data.data();
    const char* end = begin + m_data.size();
    for (;;) {
        if (m_pos >= m_data.size()) {
            return TagResult::End;
        }
        const char* lt = findByte(begin + m_pos, end, '<');
        if (lt == nullptr) {
            m_pos = m_data.size();
            return TagResult::End;
        }
        if (end - lt >= 4 && std::memcmp(lt, "<!--", 4) == 0) {
            const char* close = findText(lt + 4, end, "-->");
            if (close == nullptr) {
                return TagResult::Error;
            }
            m_pos = (close + 3) - begin;
            continue;
        }
        const char* start = lt + 1;
        const char* gt = findByte(start, end, '>');
        if (gt == nullptr) {
            return TagResult::Error;
        }
        if (findByte(start, gt, '<') != nullptr) {
            return TagResult::Error;
        }
        tag = QByteArrayView(start, gt - start);
        m_pos = (gt + 1) - begin;
        return TagResult::Tag;
    }
}

int TrpTagScanner::addElement(QByteArrayView tag, bool& closed) {
    Element e;
    const qsizetype space = tag.indexOf(' ');
    if (space < 0) {
        e.name = tag;
    } else {
        e.name = tag.first(space);
        e.attributes = tag.sliced(space + 1);
        if (e.attributes.endsWith(' ')) {
            e.attributes.chop(1);
        }
    }
    closed = false;
    if (e.name.endsWith('/')) {
        e.name.chop(1);
        closed = true;
    }
    if (e.attributes.endsWith('/')) {
        e.attributes.chop(1);
        closed = true;
    }
    m_elements.push_back(e);
    return static_cast<int>(m_elements.size()) - 1;
}

bool TrpTagScanner::scan(QByteArrayView data) {
    m_data = data;
    m_pos = 0;
    m_oldStyle = false;
    m_root = -1;
    m_elements.clear();

    QByteArrayView tag;
    if (nextTag(tag) != TagResult::Tag || !tag.startsWith("?xml")) {
        return false;
    }
    const qsizetype version = tag.indexOf("version=\"");
    if (version >= 0) {
        const QByteArrayView value =
            tag.sliced(version + 9).first(std::min<qsizetype>(3, tag.size() - version - 9));
        m_oldStyle = value == "1.0" && tag.indexOf("standalone") < 0;
    }

    // Open elements, innermost last, each with the last child added so far.
    struct Open {
        int element;
        int lastChild;
    };
    std::vector<Open> stack;
    for (;;) {
        const TagResult result = nextTag(tag);
        if (result == TagResult::Error) {
            return false;
        }
        if (result == TagResult::End) {
            return true; // missing closing tags are accepted
        }
        if (tag.startsWith('/')) {
            if (stack.empty()) {
                return false;
            }
            const Element& open = m_elements[static_cast<size_t>(stack.back().element)];
            if (!sameIgnoringCase(tagName(tag).sliced(1), open.name)) {
                return false;
            }
            stack.pop_back();
            if (stack.empty()) {
                return true; // whatever follows the root element is not read
            }
            continue;
        }
        bool closed = false;
        const int index = addElement(tag, closed);
        if (stack.empty()) {
            m_root = index;
        } else {
            Open& parent = stack.back();
            if (parent.lastChild < 0) {
                m_elements[static_cast<size_t>(parent.element)].firstChild = index;
            } else {
                m_elements[static_cast<size_t>(parent.lastChild)].nextSibling = index;
            }
            parent.lastChild = index;
        }
        if (!closed) {
            if (static_cast<int>(stack.size()) >= MaxDepth) {
                return false;
            }
            stack.push_back({index, -1});
        } else if (stack.empty()) {
            return true; // a self-closed root
        }
    }
}
