#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>

namespace {

const QRgb panelGrey = qRgb(224, 224, 224);

QString face(const QString &button, const char *state)
{
    return QStringLiteral(":/faces/%1-%2.svg").arg(button, QLatin1String(state));
}

QImage render(const QString &path, int scale)
{
    QSvgRenderer renderer(path);
    QImage image(renderer.defaultSize() * scale, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

// Navy, or an edge pixel at least 40 % covered by navy; the greys never qualify.
bool isNavy(QRgb c)
{
    return qBlue(c) - qRed(c) >= 48;
}

QRect navyBounds(const QImage &image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (isNavy(image.pixel(x, y)))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

int navyInRow(const QImage &image, int y)
{
    int count = 0;
    for (int x = 0; x < image.width(); ++x)
        count += isNavy(image.pixel(x, y)) ? 1 : 0;
    return count;
}

int pixelsOutside(const QImage &image, const QRect &area, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += !area.contains(x, y) && image.pixel(x, y) != colour ? 1 : 0;
    return count;
}

bool cornersAre(const QImage &image, QRgb colour)
{
    const int r = image.width() - 1, b = image.height() - 1;
    return image.pixel(0, 0) == colour && image.pixel(r, 0) == colour && image.pixel(0, b) == colour &&
           image.pixel(r, b) == colour;
}

} // namespace

class TstFaces : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadsAtItsSize_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        for (const char *button : {"generate", "about", "help"})
            for (const char *state : {"normal", "pressed"})
                QTest::addRow("%s-%s", button, state) << face(QLatin1String(button), state) << QSize(181, 62);
        for (const char *button : {"up", "down"})
            for (const char *state : {"normal", "pressed"})
                QTest::addRow("%s-%s", button, state) << face(QLatin1String(button), state) << QSize(57, 28);
        QTest::newRow("icon") << QStringLiteral(":/icon/quillmark.svg") << QSize(32, 32);
    }

    void loadsAtItsSize()
    {
        QFETCH(QString, path);
        QSvgRenderer renderer(path);
        QVERIFY(renderer.isValid());
        QTEST(renderer.defaultSize(), "size");
    }

    void arrowSitsWhereDrawn_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QPoint>("origin");
        QTest::addColumn<int>("scale");
        for (int scale : {1, 2}) {
            QTest::addRow("up %dx", scale) << QStringLiteral("up") << QPoint(14, 7) << scale;
            QTest::addRow("down %dx", scale) << QStringLiteral("down") << QPoint(13, 6) << scale;
        }
    }

    void arrowSitsWhereDrawn()
    {
        QFETCH(QString, button);
        QFETCH(QPoint, origin);
        QFETCH(int, scale);
        const QImage normal = render(face(button, "normal"), scale);
        const QImage pressed = render(face(button, "pressed"), scale);

        const QRect box = navyBounds(normal);
        QVERIFY2(qAbs(box.x() - origin.x() * scale) <= scale && qAbs(box.y() - origin.y() * scale) <= scale,
                 qPrintable(QStringLiteral("triangle at %1,%2").arg(box.x()).arg(box.y())));
        QVERIFY(qAbs(box.width() - 30 * scale) <= scale && qAbs(box.height() - 15 * scale) <= scale);
        const bool apexUp = navyInRow(normal, box.top()) < navyInRow(normal, box.bottom());
        QCOMPARE(apexUp, button == QLatin1String("up"));
        QCOMPARE(navyBounds(pressed), box.translated(2 * scale, scale));

        // Nothing but the triangle on the grey.
        QVERIFY(cornersAre(normal, panelGrey) && cornersAre(pressed, panelGrey));
        QCOMPARE(pixelsOutside(normal, box.adjusted(-1, -1, 1, 1), panelGrey), 0);
    }

    void wordFaceKeepsLetteringWhenPressed_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("scale");
        for (int scale : {1, 2})
            for (const char *button : {"generate", "about", "help"})
                QTest::addRow("%s %dx", button, scale) << QString::fromLatin1(button) << scale;
    }

    void wordFaceKeepsLetteringWhenPressed()
    {
        QFETCH(QString, button);
        QFETCH(int, scale);
        const QImage normal = render(face(button, "normal"), scale);
        const QImage pressed = render(face(button, "pressed"), scale);
        QVERIFY(cornersAre(normal, panelGrey) && cornersAre(pressed, panelGrey));

        const QRect box = navyBounds(normal);
        QVERIFY2(qAbs(box.width() - 120 * scale) <= 8 * scale && qAbs(box.height() - 25 * scale) <= 3 * scale,
                 qPrintable(QStringLiteral("lettering %1 x %2").arg(box.width()).arg(box.height())));
        // Centred on the plate, whose middle is at x = 90.5.
        QVERIFY(qAbs(box.left() + box.right() + 1 - 181 * scale) <= 2 * scale);
        QCOMPARE(navyBounds(pressed), box);
        QVERIFY(normal.copy(box) == pressed.copy(box));

        // The plate's outline only when released; the shadow only when pressed.
        for (QPoint p : {QPoint(10, 10), QPoint(10, 30), QPoint(90, 10)}) {
            QVERIFY(qGray(normal.pixel(p * scale)) < 64);
            QVERIFY(qGray(pressed.pixel(p * scale)) > 150);
        }
        QVERIFY(qGray(pressed.pixel(QPoint(170, 30) * scale)) <
                qGray(pressed.pixel(QPoint(12, 30) * scale)) - 40);
        QVERIFY(qGray(pressed.pixel(QPoint(90, 52) * scale)) <
                qGray(pressed.pixel(QPoint(90, 12) * scale)) - 40);
    }

    void iconIsWhiteFaceOnTransparentCorners()
    {
        for (int scale : {1, 2}) {
            const QImage icon = render(QStringLiteral(":/icon/quillmark.svg"), scale);
            QVERIFY(cornersAre(icon, qRgba(0, 0, 0, 0)));
            bool white = false, black = false;
            for (int y = 8 * scale; y < 24 * scale; ++y)
                for (int x = 8 * scale; x < 24 * scale; ++x) {
                    white |= icon.pixel(x, y) == qRgb(255, 255, 255);
                    black |= icon.pixel(x, y) == qRgb(0, 0, 0);
                }
            QVERIFY(white && black);
        }
    }
};

QTEST_MAIN(TstFaces)
#include "tst_faces.moc"
