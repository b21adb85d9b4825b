// A small XML document object model for the object files: build a document of elements with attributes and
// turn it into bytes, or read bytes or a file back and look the data up. Backed by pugixml, which stays out of
// this header.
//
// Written documents are UTF-8 without a byte-order mark and without a declaration, with no whitespace between
// elements. Attribute values keep line breaks and tabs (written as character references); characters that
// XML 1.0 does not allow are dropped, so every written document can be read again. Reading accepts UTF-8 with or
// without a byte-order mark and UTF-16 with one, with or without a declaration.
#pragma once

#include <QByteArray>
#include <QString>

#include <QVarLengthArray>

#include <memory>

namespace pugi {
class xml_document;
struct xml_node_struct;
} // namespace pugi

// An element of an XmlDocument; a light handle that is valid while its document lives. A null element answers
// every question with "nothing" and ignores every change.
class XmlElement
{
public:
    XmlElement() = default;

    bool isNull() const { return node == nullptr; }
    bool hasName(const char* name) const;

    // Appends a child element after the existing children.
    XmlElement appendChild(const char* name);
    // The first child element and the element after this one; null when there is none.
    XmlElement firstChild() const;
    XmlElement nextSibling() const;

    void setAttribute(const char* name, const QString& value);
    // Decimal text.
    void setAttribute(const char* name, int value);
    // "true" or "false".
    void setAttribute(const char* name, bool value);

    bool hasAttribute(const char* name) const;
    // The attribute's text; "" when it is missing. found (when given) tells which.
    QString attribute(const char* name, bool* found = nullptr) const;
    // The attribute read as a number or a truth value; ok becomes false when it is missing or does not convert.
    // A number is decimal with an optional sign (blanks around it are allowed); a truth value is "true" or
    // "false" in any letter case, or a number (0 is false, any other number true).
    int intAttribute(const char* name, bool* ok) const;
    bool boolAttribute(const char* name, bool* ok) const;

private:
    friend class XmlDocument;
    friend class XmlAttributeTable;
    explicit XmlElement(pugi::xml_node_struct* node) : node(node) {}
    pugi::xml_node_struct* node = nullptr;
};

// Several attributes of one element, found by name in a single walk over the element's attributes. A reader
// that asks for most of an element's attributes one by one would search them again for every name; this finds
// each name as the writer put them, in order, with one comparison. Answers are those of XmlElement for the
// name at the same index (a repeated attribute answers with its first occurrence); valid while the document
// lives.
class XmlAttributeTable
{
public:
    XmlAttributeTable(const XmlElement& element, const char* const* names, int count);

    bool has(int index) const { return values[index] != nullptr; }
    QString text(int index) const;
    int intValue(int index, bool* ok) const;
    bool boolValue(int index, bool* ok) const;

private:
    QVarLengthArray<const char*, 16> values;
};

class XmlDocument
{
public:
    XmlDocument();
    ~XmlDocument();
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;

    // Appends a top-level element.
    XmlElement addRoot(const char* name);
    // The first top-level element with this name (compared exactly); null when there is none.
    XmlElement root(const char* name) const;

    QByteArray toBytes() const;
    // Replaces the document with the one in data or in the file; on failure the document is empty and error
    // (when given) receives the reason, with the file's path and the offset of a syntax error.
    bool loadBytes(const QByteArray& data, QString* error = nullptr);
    bool loadFile(const QString& path, QString* error = nullptr);

private:
    std::unique_ptr<pugi::xml_document> document;
};

// The text with every character removed that an XML 1.0 document cannot hold (control characters other than
// tab, line feed and carriage return, U+FFFE, U+FFFF and unpaired surrogates).
QString xmlCharactersOnly(const QString& text);
