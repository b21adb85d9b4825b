#include "AdvEdit.h"
#include "InputTestSupport.h"

#include <QTimer>
#include <functional>

namespace {

// Runs the answer once the query's window is up, with its edit.
bool ask(TAdvEditType type, const TQueryParams* params, QString& value, const std::function<void(TAdvEdit*)>& answer)
{
    QTimer::singleShot(0, [answer] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
        auto* edit = dialog->findChild<TAdvEdit*>();
        ASSERT_NE(edit, nullptr);
        answer(edit);
    });
    return AdvInputQuery(type, params, QStringLiteral("Pytanie"), QStringLiteral("Podaj wartość:"), value);
}

} // namespace

TEST(AdvInputQueryTest, returnConfirmsAndTheValueComesWithoutPrefixAndSuffix)
{
    QString value;
    QString shown;
    EXPECT_TRUE(ask(etNumeric, nullptr, value, [&](TAdvEdit* edit) {
        shown = edit->text();
        QTest::keyClick(edit, Qt::Key_Return);
    }));
    EXPECT_EQ(shown, QStringLiteral("0"));
    EXPECT_EQ(value, QStringLiteral("0"));

    TQueryParams money;
    money.precision = 2;
    money.prefix = QStringLiteral("$");
    money.suffix = QStringLiteral(" zł");
    value = QStringLiteral("1234,5");
    EXPECT_TRUE(ask(etMoney, &money, value, [&](TAdvEdit* edit) {
        shown = edit->text();
        QTest::keyClick(edit, Qt::Key_Return);
    }));
    EXPECT_EQ(shown, grouped("$1 234,50") + QStringLiteral(" zł"));
    EXPECT_EQ(value, grouped("1 234,50"));
}

TEST(AdvInputQueryTest, escapeCancelsAndKeepsTheValue)
{
    QString value = QStringLiteral("Jan");
    EXPECT_FALSE(ask(etString, nullptr, value, [](TAdvEdit* edit) {
        QTest::keyClicks(edit, QStringLiteral("Piotr"));
        QTest::keyClick(edit, Qt::Key_Escape);
    }));
    EXPECT_EQ(value, QStringLiteral("Jan"));
}
