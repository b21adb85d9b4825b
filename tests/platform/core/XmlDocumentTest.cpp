#include "XmlDocument.h"
#include "TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray personDocument(const QString& note)
{
    XmlDocument doc;
    XmlElement root = doc.addRoot("Person");
    root.setAttribute("ID", QStringLiteral("person_1"));
    root.setAttribute("Sex", 1);
    root.setAttribute("Note", note);
    root.setAttribute("Empty", QString());
    XmlElement attribute = root.appendChild("Attribute");
    attribute.setAttribute("Private", true);
    return doc.toBytes();
}

} // namespace

TEST(XmlDocumentTest, writesUtf8WithoutDeclarationOrWhitespaceAndKeepsAttributeOrder)
{
    EXPECT_EQ(personDocument(QStringLiteral("Zażółć")),
              QByteArray("<Person ID=\"person_1\" Sex=\"1\" Note=\"Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87\" Empty=\"\">"
                         "<Attribute Private=\"true\"/></Person>"));
}

TEST(XmlDocumentTest, awkwardTextSurvivesWriteAndRead)
{
    const QString text = QStringLiteral("line 1\r\nline 2\nline 3\r\tquoted \"x\" 'y' <&> ĄĘŚ \U0001F600 end ");
    XmlDocument doc;
    ASSERT_TRUE(doc.loadBytes(personDocument(text)));
    EXPECT_EQ(doc.root("Person").attribute("Note"), text);
}

TEST(XmlDocumentTest, charactersXmlForbidsAreDroppedOnWrite)
{
    QString text = QStringLiteral("a\x01"
                                  "b\x1F"
                                  "c");
    text += QChar(0xFFFE);
    text += QChar(0xD800); // a high surrogate without its partner
    text += u'd';
    text += QChar(0xDC00); // a lone low surrogate
    const QByteArray bytes = personDocument(text);
    XmlDocument doc;
    ASSERT_TRUE(doc.loadBytes(bytes)) << bytes.constData();
    EXPECT_EQ(doc.root("Person").attribute("Note"), QStringLiteral("abcd"));
    EXPECT_EQ(xmlCharactersOnly(QStringLiteral("tab\tand\nbreaks\r")), QStringLiteral("tab\tand\nbreaks\r"));
}

TEST(XmlDocumentTest, readsTheEncodingsAndFormsOtherWritersUse)
{
    const QString xml = QStringLiteral("<Fact ID=\"fact_1\" Place=\"Łódź\"/>");
    const QString declared = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n") + xml;
    const QByteArray utf16 =
        QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char*>(declared.utf16()), declared.size() * 2);
    QByteArray utf16be("\xFE\xFF");
    for (QChar c : xml) {
        utf16be.append(char(c.unicode() >> 8));
        utf16be.append(char(c.unicode() & 0xFF));
    }
    const struct
    {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"UTF-8", xml.toUtf8()},
        {"UTF-8 with BOM", "\xEF\xBB\xBF" + xml.toUtf8()},
        {"UTF-8 with declaration", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + xml.toUtf8()},
        {"UTF-16LE with BOM and declaration", utf16},
        {"UTF-16BE with BOM", utf16be},
    };
    for (const auto& c : cases) {
        XmlDocument doc;
        QString error;
        ASSERT_TRUE(doc.loadBytes(c.bytes, &error)) << c.what << ": " << error.toStdString();
        EXPECT_EQ(doc.root("Fact").attribute("Place"), QStringLiteral("Łódź")) << c.what;
    }
}

TEST(XmlDocumentTest, convertsNumbersAndTruthValues)
{
    XmlDocument doc;
    ASSERT_TRUE(doc.loadBytes("<P a=\"12\" b=\" -3 \" c=\"1x\" d=\"\" t1=\"True\" t2=\"FALSE\" t3=\"1\" t4=\"0\" "
                              "t5=\"2.5\" t6=\"yes\"/>"));
    const XmlElement p = doc.root("P");
    const struct
    {
        const char* name;
        bool ok;
        int value;
    } ints[] = {{"a", true, 12}, {"b", true, -3}, {"c", false, 0}, {"d", false, 0}, {"missing", false, 0}};
    for (const auto& c : ints) {
        bool ok = !c.ok;
        EXPECT_EQ(p.intAttribute(c.name, &ok), c.value) << c.name;
        EXPECT_EQ(ok, c.ok) << c.name;
    }
    const struct
    {
        const char* name;
        bool ok;
        bool value;
    } bools[] = {{"t1", true, true},  {"t2", true, false}, {"t3", true, true},
                 {"t4", true, false}, {"t5", true, true},  {"t6", false, false}};
    for (const auto& c : bools) {
        bool ok = !c.ok;
        EXPECT_EQ(p.boolAttribute(c.name, &ok), c.value) << c.name;
        EXPECT_EQ(ok, c.ok) << c.name;
    }
    EXPECT_TRUE(p.hasAttribute("d"));
    EXPECT_FALSE(p.hasAttribute("missing"));
    bool found = true;
    EXPECT_EQ(p.attribute("missing", &found), QString());
    EXPECT_FALSE(found);
    EXPECT_EQ(p.attribute("d", &found), QString());
    EXPECT_TRUE(found);
}

// The one-walk lookup must answer exactly as the element does name by name, whatever order the file holds
// the attributes in, for missing ones, for a repeated one (its first occurrence) and for a null element.
TEST(XmlDocumentTest, attributeTableAnswersAsTheElementDoes)
{
    XmlDocument doc;
    ASSERT_TRUE(doc.loadBytes("<P z=\"Żółw\" b=\"2\" a=\"true\" b=\"9\" x=\"\" n=\"1x\" e=\"\"/>"));
    const XmlElement p = doc.root("P");
    const char* const names[] = {"a", "b", "e", "missing", "n", "x", "z"};
    const int count = int(std::size(names));
    const XmlAttributeTable table(p, names, count);
    const XmlAttributeTable none(XmlElement(), names, count);
    for (int i = 0; i < count; ++i) {
        const char* name = names[i];
        bool found = false;
        EXPECT_EQ(table.text(i), p.attribute(name, &found)) << name;
        EXPECT_EQ(table.text(i).isNull(), p.attribute(name).isNull()) << name;
        EXPECT_EQ(table.has(i), found) << name;
        bool tableOk = false;
        bool elementOk = true;
        EXPECT_EQ(table.intValue(i, &tableOk), p.intAttribute(name, &elementOk)) << name;
        EXPECT_EQ(tableOk, elementOk) << name;
        EXPECT_EQ(table.boolValue(i, &tableOk), p.boolAttribute(name, &elementOk)) << name;
        EXPECT_EQ(tableOk, elementOk) << name;
        EXPECT_FALSE(none.has(i)) << name;
    }
    EXPECT_EQ(table.intValue(1, nullptr), 2);
    EXPECT_EQ(table.text(6), QStringLiteral("Żółw"));
}

TEST(XmlDocumentTest, findsTheRootByExactNameAndWalksChildElements)
{
    XmlDocument doc;
    ASSERT_TRUE(doc.loadBytes("<!-- note --><Person><Attribute Code=\"A\"/>text<attribute Code=\"x\"/>"
                              "<Attribute Code=\"B\"/></Person>"));
    EXPECT_TRUE(doc.root("person").isNull());
    EXPECT_TRUE(doc.root("Fact").isNull());
    QStringList codes;
    for (XmlElement e = doc.root("Person").firstChild(); !e.isNull(); e = e.nextSibling()) {
        if (e.hasName("Attribute"))
            codes << e.attribute("Code");
    }
    EXPECT_EQ(codes, QStringList({"A", "B"}));
}

TEST(XmlDocumentTest, loadFailuresSayWhy)
{
    QTemporaryDir dir;
    const QString broken = dir.filePath("broken.kvfile");
    writeFileBytes(broken, "<Person ID=\"x\">");
    const struct
    {
        QString path;
        const char* expected;
    } cases[] = {
        {dir.filePath("missing.kvfile"), "missing.kvfile"},
        {dir.path(), "directory"},
        {broken, "offset"},
    };
    for (const auto& c : cases) {
        XmlDocument doc;
        QString error;
        EXPECT_FALSE(doc.loadFile(c.path, &error)) << c.expected;
        EXPECT_TRUE(error.contains(QLatin1String(c.expected), Qt::CaseInsensitive)) << error.toStdString();
        EXPECT_TRUE(doc.root("Person").isNull());
    }
}

// Data folders live under the user's home, whose name may hold Polish letters.
TEST(XmlDocumentTest, loadsAFileWhosePathHoldsLettersOutsideAscii)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Zażółć gęślą")));
    const QString path = dir.filePath(QStringLiteral("Zażółć gęślą/osoba_Łódź.kvfile"));
    writeFileBytes(path, personDocument(QStringLiteral("Jaźń")));
    XmlDocument doc;
    QString error;
    ASSERT_TRUE(doc.loadFile(path, &error)) << error.toStdString();
    EXPECT_EQ(doc.root("Person").attribute("Note"), QStringLiteral("Jaźń"));
}
