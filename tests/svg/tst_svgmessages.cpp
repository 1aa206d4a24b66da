// The texts the parser and the document report, and what they do after.

#include "QSvgStructureNode.h"
#include "QSvgStyleProperty.h"
#include "SvgTestSupport.h"

#include <QtCore/QTemporaryDir>
#include <QtTest/QtTest>

using namespace orbtest;

namespace {
// A property of a type no node has a slot for.
class StrangeProperty : public orbsvg::QSvgStyleProperty
{
public:
    void apply(QPainter *, const orbsvg::QSvgNode *, orbsvg::QSvgDrawState &) override { }
    void revert(QPainter *, orbsvg::QSvgDrawState &) override { }
    Type type() const override { return Type(42); }
};
} // namespace

class tst_SvgMessages : public QObject
{
    Q_OBJECT

private slots:
    void parserMessages_data();
    void parserMessages();
    void fileMessages();
    void unknownPropertyIsNotStored();
};

void tst_SvgMessages::parserMessages_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("message");
    QTest::newRow("xml:space") << QByteArray("<g xml:space='keep'/>") << int(QtWarningMsg)
                               << "\"keep\" is an invalid value for attribute xml:space. Valid "
                                  "values are \"preserve\" and \"default\".";
    QTest::newRow("shape in text")
        << QByteArray("<text><rect width='1' height='1'/></text>") << int(QtWarningMsg)
        << "'text' or 'textArea' element contains invalid element type.";
    QTest::newRow("shape in shape")
        << QByteArray("<rect width='1' height='1'><circle r='1'/></rect>") << int(QtWarningMsg)
        << "Could not add child element to parent element because the types are incorrect.";
    QTest::newRow("tbreak outside a text area")
        << QByteArray("<text><tbreak/></text>") << int(QtWarningMsg) << "Problem parsing tbreak";
    QTest::newRow("stop in a font") << QByteArray("<font id='f'><stop offset='0'/></font>")
                                    << int(QtWarningMsg) << "Problem parsing stop";
    QTest::newRow("bad solid colour") << QByteArray("<solidColor solid-color='nonsense'/>")
                                      << int(QtWarningMsg) << "Could not parse node: solidColor";
    QTest::newRow("use ahead") << QByteArray("<use xlink:href='#ahead'/><g id='ahead'/>")
                               << int(QtWarningMsg) << "link ahead hasn't been detected!";
    QTest::newRow("inline image without base64")
        << QByteArray("<image width='1' height='1' xlink:href='data:image/png,abc'/>")
        << int(QtDebugMsg) << "QSvgHandler::createImageNode: Unrecognized inline image format!";
    QTest::newRow("missing image")
        << QByteArray("<image width='1' height='1' xlink:href='/no/such.png'/>") << int(QtDebugMsg)
        << "couldn't create image from /no/such.png";
    QTest::newRow("unresolved paint server")
        << QByteArray("<rect fill='url(#nothing)' width='1' height='1'/>") << int(QtWarningMsg)
        << "Could not resolve property : nothing";
    QTest::newRow("unresolved stroke server")
        << QByteArray("<line stroke='url(#none2)' x2='1'/>") << int(QtWarningMsg)
        << "Could not resolve property : none2";
    QTest::newRow("comp-op") << QByteArray("<g comp-op='fancy'/>") << int(QtDebugMsg)
                             << "Operation: \"fancy\" is not implemented";
    QTest::newRow("use of its own ancestor")
        << QByteArray("<g id='self'><use xlink:href='#self'/></g>") << int(QtWarningMsg)
        << "QSvgHandler: 'use' of self inside itself is ignored";
}

void tst_SvgMessages::parserMessages()
{
    QFETCH(QByteArray, body);
    QFETCH(int, type);
    QFETCH(QString, message);
    QTest::ignoreMessage(QtMsgType(type), qPrintable(message));
    auto doc = parseSvg(body);
    QVERIFY(doc); // bad content degrades; the document still loads
}

void tst_SvgMessages::fileMessages()
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("missing.svg"));
    QTest::ignoreMessage(
        QtWarningMsg,
        qPrintable(QStringLiteral("Cannot open file '%1', because: No such file or directory")
                       .arg(missing)));
    QVERIFY(!orbsvg::QSvgTinyDocument::load(missing));

    const QString broken = dir.filePath(QStringLiteral("broken.svg"));
    QFile file(broken);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<svg>\n<g>\n</svg>");
    file.close();
    QTest::ignoreMessage(
        QtWarningMsg,
        QRegularExpression(QStringLiteral("^Cannot read file '%1', because: .+ \\(line 3\\)$")
                               .arg(QRegularExpression::escape(broken))));
    QVERIFY(!orbsvg::QSvgTinyDocument::load(broken));

    // No messages for in-memory sources.
    QVERIFY(!orbsvg::QSvgTinyDocument::load(QByteArray("<svg><g></svg>")));
}

void tst_SvgMessages::unknownPropertyIsNotStored()
{
    auto doc = parseSvg("<g id='g'/>");
    QVERIFY(doc);
    orbsvg::QSvgRefPtr<StrangeProperty> strange(new StrangeProperty);
    QTest::ignoreMessage(QtDebugMsg, "QSvgNode: Trying to append unknown property!");
    node(doc, "g")->addStyleProperty(strange.get(), QString());
    QCOMPARE(strange->refCount(), 1); // nobody else took it
}

QTEST_MAIN(tst_SvgMessages)
#include "tst_svgmessages.moc"
