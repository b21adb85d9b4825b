#include "XmlDocument.h"

#include <pugixml.hpp>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Tab, line breaks and the ranges XML 1.0 allows; surrogates are judged in pairs by the caller.
bool isXmlCharacter(char16_t c)
{
    return c >= 0x20 ? c != 0xFFFE && c != 0xFFFF : c == 0x09 || c == 0x0A || c == 0x0D;
}

std::string_view trimmedBlanks(const char* text)
{
    std::string_view view(text);
    while (!view.empty() && (view.front() == ' ' || view.front() == '\t'))
        view.remove_prefix(1);
    while (!view.empty() && (view.back() == ' ' || view.back() == '\t'))
        view.remove_suffix(1);
    return view;
}

bool parseInt(const char* text, int& value)
{
    std::string_view view = trimmedBlanks(text);
    if (!view.empty() && view.front() == '+')
        view.remove_prefix(1);
    const auto [end, error] = std::from_chars(view.data(), view.data() + view.size(), value);
    return error == std::errc() && end == view.data() + view.size() && !view.empty();
}

bool equalsIgnoringCase(std::string_view text, std::string_view word)
{
    if (text.size() != word.size())
        return false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i] >= 'A' && text[i] <= 'Z' ? char(text[i] - 'A' + 'a') : text[i];
        if (c != word[i])
            return false;
    }
    return true;
}

bool parseBool(const char* text, bool& value)
{
    const std::string_view view = trimmedBlanks(text);
    if (equalsIgnoringCase(view, "true") || equalsIgnoringCase(view, "false")) {
        value = view.size() == 4;
        return true;
    }
    std::string_view number = view;
    if (!number.empty() && number.front() == '+')
        number.remove_prefix(1);
    double parsed = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), parsed);
    if (error != std::errc() || end != number.data() + number.size() || number.empty())
        return false;
    value = parsed != 0;
    return true;
}

// An attribute's text as a number or a truth value; text is null for a missing attribute.
int intValueOf(const char* text, bool* ok)
{
    int value = 0;
    const bool converted = text && parseInt(text, value);
    if (ok)
        *ok = converted;
    return converted ? value : 0;
}

bool boolValueOf(const char* text, bool* ok)
{
    bool value = false;
    const bool converted = text && parseBool(text, value);
    if (ok)
        *ok = converted;
    return converted && value;
}

class ByteArrayWriter : public pugi::xml_writer
{
public:
    QByteArray bytes;
    void write(const void* data, size_t size) override
    {
        bytes.append(static_cast<const char*>(data), qsizetype(size));
    }
};

// Reads the whole file; pugixml then parses the buffer in place and frees it with the document.
bool readWholeFile(const QString& path, char*& buffer, size_t& size, QString* error)
{
    auto fail = [&](int code) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(std::strerror(code)));
        return false;
    };
    // File names are UTF-8 here, as QFile::encodeName makes them; toUtf8 takes the short way there.
    const int fd = ::open(path.toUtf8().constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return fail(errno);
    struct stat info
    {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int code = S_ISDIR(info.st_mode) ? EISDIR : errno;
        ::close(fd);
        return fail(code);
    }
    size = size_t(info.st_size);
    buffer = static_cast<char*>(pugi::get_memory_allocation_function()(size ? size : 1));
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, buffer + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int code = n < 0 ? errno : EIO;
            ::close(fd);
            pugi::get_memory_deallocation_function()(buffer);
            return fail(code);
        }
        done += size_t(n);
    }
    ::close(fd);
    return true;
}

QString describeParseFailure(const pugi::xml_parse_result& result)
{
    return QStringLiteral("%1 at offset %2").arg(QString::fromUtf8(result.description())).arg(result.offset);
}

// Character references keep line breaks and tabs in attribute values; the default attribute handling of a
// reader would turn literal ones into blanks.
constexpr unsigned int writeFlags = pugi::format_raw | pugi::format_no_declaration;

} // namespace

QString xmlCharactersOnly(const QString& text)
{
    const qsizetype n = text.size();
    const char16_t* s = reinterpret_cast<const char16_t*>(text.constData());
    qsizetype i = 0;
    // Most texts hold nothing to drop: return them without a copy.
    while (i < n && isXmlCharacter(s[i]) && !QChar::isSurrogate(s[i]))
        ++i;
    if (i == n)
        return text;
    QString result;
    result.reserve(n);
    result.append(text.constData(), i);
    for (; i < n; ++i) {
        const char16_t c = s[i];
        if (QChar::isHighSurrogate(c)) {
            if (i + 1 < n && QChar::isLowSurrogate(s[i + 1])) {
                result.append(QChar(c));
                result.append(QChar(s[++i]));
            }
        } else if (!QChar::isLowSurrogate(c) && isXmlCharacter(c)) {
            result.append(QChar(c));
        }
    }
    return result;
}

bool XmlElement::hasName(const char* name) const
{
    return node && std::strcmp(pugi::xml_node(node).name(), name) == 0;
}

XmlElement XmlElement::appendChild(const char* name)
{
    if (!node)
        return {};
    return XmlElement(pugi::xml_node(node).append_child(name).internal_object());
}

XmlElement XmlElement::firstChild() const
{
    if (!node)
        return {};
    pugi::xml_node child = pugi::xml_node(node).first_child();
    while (child && child.type() != pugi::node_element)
        child = child.next_sibling();
    return XmlElement(child.internal_object());
}

XmlElement XmlElement::nextSibling() const
{
    if (!node)
        return {};
    pugi::xml_node next = pugi::xml_node(node).next_sibling();
    while (next && next.type() != pugi::node_element)
        next = next.next_sibling();
    return XmlElement(next.internal_object());
}

void XmlElement::setAttribute(const char* name, const QString& value)
{
    if (node)
        pugi::xml_node(node).append_attribute(name).set_value(xmlCharactersOnly(value).toUtf8().constData());
}

void XmlElement::setAttribute(const char* name, int value)
{
    if (node)
        pugi::xml_node(node).append_attribute(name).set_value(value);
}

void XmlElement::setAttribute(const char* name, bool value)
{
    if (node)
        pugi::xml_node(node).append_attribute(name).set_value(value ? "true" : "false");
}

bool XmlElement::hasAttribute(const char* name) const
{
    return node && pugi::xml_node(node).attribute(name);
}

QString XmlElement::attribute(const char* name, bool* found) const
{
    const pugi::xml_attribute a = node ? pugi::xml_node(node).attribute(name) : pugi::xml_attribute();
    if (found)
        *found = bool(a);
    return a ? QString::fromUtf8(a.value()) : QString();
}

int XmlElement::intAttribute(const char* name, bool* ok) const
{
    const pugi::xml_attribute a = node ? pugi::xml_node(node).attribute(name) : pugi::xml_attribute();
    return intValueOf(a ? a.value() : nullptr, ok);
}

bool XmlElement::boolAttribute(const char* name, bool* ok) const
{
    const pugi::xml_attribute a = node ? pugi::xml_node(node).attribute(name) : pugi::xml_attribute();
    return boolValueOf(a ? a.value() : nullptr, ok);
}

XmlAttributeTable::XmlAttributeTable(const XmlElement& element, const char* const* names, int count)
    : values(count, nullptr)
{
    if (!element.node)
        return;
    int expected = 0;
    for (pugi::xml_attribute a = pugi::xml_node(element.node).first_attribute(); a; a = a.next_attribute()) {
        const char* name = a.name();
        int index = expected < count && std::strcmp(names[expected], name) == 0 ? expected : -1;
        for (int i = 0; index < 0 && i < count; ++i) {
            if (std::strcmp(names[i], name) == 0)
                index = i;
        }
        if (index < 0)
            continue;
        if (!values[index])
            values[index] = a.value();
        expected = index + 1;
    }
}

QString XmlAttributeTable::text(int index) const
{
    return values[index] ? QString::fromUtf8(values[index]) : QString();
}

int XmlAttributeTable::intValue(int index, bool* ok) const
{
    return intValueOf(values[index], ok);
}

bool XmlAttributeTable::boolValue(int index, bool* ok) const
{
    return boolValueOf(values[index], ok);
}

XmlDocument::XmlDocument() : document(std::make_unique<pugi::xml_document>()) {}

XmlDocument::~XmlDocument() = default;

XmlElement XmlDocument::addRoot(const char* name)
{
    return XmlElement(document->append_child(name).internal_object());
}

XmlElement XmlDocument::root(const char* name) const
{
    return XmlElement(document->child(name).internal_object());
}

QByteArray XmlDocument::toBytes() const
{
    ByteArrayWriter writer;
    document->save(writer, "", writeFlags, pugi::encoding_utf8);
    return writer.bytes;
}

bool XmlDocument::loadBytes(const QByteArray& data, QString* error)
{
    const pugi::xml_parse_result result = document->load_buffer(data.constData(), size_t(data.size()));
    if (result)
        return true;
    document->reset();
    if (error)
        *error = describeParseFailure(result);
    return false;
}

bool XmlDocument::loadFile(const QString& path, QString* error)
{
    document->reset();
    char* buffer = nullptr;
    size_t size = 0;
    if (!readWholeFile(path, buffer, size, error))
        return false;
    const pugi::xml_parse_result result = document->load_buffer_inplace_own(buffer, size);
    if (result)
        return true;
    document->reset();
    if (error)
        *error = path + QStringLiteral(": ") + describeParseFailure(result);
    return false;
}
