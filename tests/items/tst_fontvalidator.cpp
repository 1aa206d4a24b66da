// ORBFont and ORBDoubleValidator as QML sees them.

#include "QmlTestSupport.h"
#include "orbHostEnvironment.h"

#include <QtGui/QFont>
#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>
#include <QtGui/QValidator>
#include <QtQml/QQmlEngine>
#include <QtTest/QtTest>

#include <algorithm>
#include <memory>

class tst_FontAndValidator : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void fontSizeIsCorrectedForLogicalDpi();
    void fontPropertiesReachTheFont();
    void fontSettersNotifyAndRefreshMetrics();
    void validatorTakesCommaAndPoint_data();
    void validatorTakesCommaAndPoint();
    void validatorStillValidatesTheNumber();
    void validatorRewritesTextInputText();

private:
    std::unique_ptr<QObject> create(const QByteArray &body);

    std::unique_ptr<orbHostEnvironment> m_host;
    std::unique_ptr<QQmlEngine> m_engine;
};

void tst_FontAndValidator::initTestCase()
{
    m_host = std::make_unique<orbHostEnvironment>(*qApp);
    m_engine = std::make_unique<QQmlEngine>();
    m_host->prepare(*m_engine);
}

void tst_FontAndValidator::cleanupTestCase()
{
    m_engine.reset();
    m_host.reset();
}

std::unique_ptr<QObject> tst_FontAndValidator::create(const QByteArray &body)
{
    return std::unique_ptr<QObject>(
        orbtest::createFromQml(*m_engine, "import QtQuick 2.15\nimport orbQuick 1.0\n" + body));
}

void tst_FontAndValidator::fontSizeIsCorrectedForLogicalDpi()
{
    const double dpi = QGuiApplication::screens().constFirst()->logicalDotsPerInchX();
    // ctest runs this case again with QT_FONT_DPI=96 and 120: make sure the screen took it.
    if (const int forced = qEnvironmentVariableIntValue("QT_FONT_DPI"))
        QCOMPARE(dpi, double(forced));

    auto font = create("ORBFont { pointSizeF: 12 }");
    QVERIFY(font);
    double expected = 12.0 * 96.0 / std::max(1.0, dpi);
    switch (qEnvironmentVariableIntValue("QT_FONT_DPI")) {
    case 120:
        expected = 9.6;
        break;
    case 96:
        expected = 12.0;
        break;
    }
    // The size is a float property: compare at float precision.
    QCOMPARE(font->property("pointSizeF").toFloat(), float(expected));
    QCOMPARE(float(font->property("font").value<QFont>().pointSizeF()), float(expected));
}

void tst_FontAndValidator::fontPropertiesReachTheFont()
{
    auto item = create("ORBFont { family: 'DejaVu Serif'; weight: Font.Bold; letterSpacing: 2.5;"
                       " capitalization: Font.AllUppercase; kerning: false; stretch: 150 }");
    QVERIFY(item);
    const QFont font = item->property("font").value<QFont>();
    QCOMPARE(font.family(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(font.weight(), int(QFont::Bold));
    QCOMPARE(font.letterSpacingType(), QFont::AbsoluteSpacing);
    QCOMPARE(font.letterSpacing(), 2.5);
    QCOMPARE(font.capitalization(), QFont::AllUppercase);
    QCOMPARE(font.kerning(), false);
    QCOMPARE(font.stretch(), 150);
    QCOMPARE(item->property("family").toString(), QStringLiteral("DejaVu Serif"));
}

void tst_FontAndValidator::fontSettersNotifyAndRefreshMetrics()
{
    auto item = create("ORBFont { pointSizeF: 8 }");
    QVERIFY(item);
    QSignalSpy changed(item.get(), SIGNAL(fontChanged()));
    const double smallDescent = item->property("descent").toDouble();
    QVERIFY(smallDescent > 0);

    item->setProperty("pointSizeF", 48.0f);
    QVERIFY(item->property("descent").toDouble() > 3 * smallDescent);
    // Every write notifies, also when the value stays the same.
    item->setProperty("weight", int(QFont::Normal));
    item->setProperty("weight", int(QFont::Normal));
    item->setProperty("kerning", true);
    QCOMPARE(changed.count(), 4);
}

void tst_FontAndValidator::validatorTakesCommaAndPoint_data()
{
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<QString>("input");
    for (const char *locale : {"C", "de_DE"}) {
        QTest::addRow("%s, comma", locale) << QString::fromLatin1(locale) << QStringLiteral("1,5");
        QTest::addRow("%s, point", locale) << QString::fromLatin1(locale) << QStringLiteral("1.5");
    }
}

void tst_FontAndValidator::validatorTakesCommaAndPoint()
{
    QFETCH(QString, localeName);
    QFETCH(QString, input);
    auto object = create("ORBDoubleValidator {}");
    auto *validator = qobject_cast<QValidator *>(object.get());
    QVERIFY(validator);
    const QLocale locale(localeName);
    validator->setLocale(locale);

    int pos = input.size();
    QCOMPARE(validator->validate(input, pos), QValidator::Acceptable);
    QCOMPARE(input, QStringLiteral("1") + locale.decimalPoint() + QStringLiteral("5"));
}

void tst_FontAndValidator::validatorStillValidatesTheNumber()
{
    auto object = create("ORBDoubleValidator { bottom: 0; top: 10; decimals: 2;"
                         " notation: DoubleValidator.StandardNotation }");
    auto *validator = qobject_cast<QValidator *>(object.get());
    QVERIFY(validator);
    validator->setLocale(QLocale::c());
    auto check = [validator](QString text) {
        int pos = 0;
        return validator->validate(text, pos);
    };
    QCOMPARE(check(QStringLiteral("2,25")), QValidator::Acceptable);
    QCOMPARE(check(QStringLiteral("2,255")), QValidator::Invalid);
    QCOMPARE(check(QStringLiteral("1,5x")), QValidator::Invalid);
    QCOMPARE(check(QStringLiteral("12,5")), QValidator::Intermediate);
    QCOMPARE(check(QStringLiteral("1,2,3")), QValidator::Invalid);
}

void tst_FontAndValidator::validatorRewritesTextInputText()
{
    auto input = create("TextInput { validator: ORBDoubleValidator {} }");
    QVERIFY(input);
    const QString point = QLocale().decimalPoint();
    for (const QString &typed : {QStringLiteral("3,25"), QStringLiteral("3.25")}) {
        input->setProperty("text", typed);
        QVERIFY2(input->property("acceptableInput").toBool(), qPrintable(typed));
        QCOMPARE(input->property("text").toString(),
                 QStringLiteral("3") + point + QStringLiteral("25"));
    }
}

QTEST_MAIN(tst_FontAndValidator)
#include "tst_fontvalidator.moc"
