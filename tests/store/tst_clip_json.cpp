#include "test_main.h"

#include "store/clip_json.h"
#include "store/reference_time.h"

#include <QDateTime>
#include <QTimeZone>

#include <bit>
#include <cmath>
#include <limits>

namespace {

// One valid element; tests replace or drop single keys of it.
const QByteArray kValidElement =
    R"({"id":"5F3C1A2B-0D4E-4F60-8A7B-9C0D1E2F3A4B","kind":"text","title":"t","content":"c",)"
    R"("source":"剪贴板","createdAt":757382400,"isPinned":false})";

QByteArray withKey(const QByteArray &element, const QByteArray &key, const QByteArray &json)
{
    QByteArray out = element;
    out.chop(1);
    return out + ",\"" + key + "\":" + json + '}';
}

ClipItem sampleItem()
{
    ClipItem item;
    item.id = QUuid::fromString(QStringLiteral("5F3C1A2B-0D4E-4F60-8A7B-9C0D1E2F3A4B"));
    item.kind = ClipKind::image;
    item.title = QStringLiteral("图片 \"x\"");
    item.content = QStringLiteral("a/b\\c\n\t\x01");
    item.source = ClipItem::sourceClipboard();
    item.createdAt = 757382400.5;
    item.isPinned = true;
    item.imagePath = QStringLiteral("/home/u/.local/share/Quillo/ClipboardImages/A.png");
    return item;
}

} // namespace

class TestClipJson : public QObject
{
    Q_OBJECT
private slots:
    void rejectsHistory_data();
    void rejectsHistory();
    void acceptsHistory_data();
    void acceptsHistory();
    void encodesExactBytes();
    void createdAtRoundTrip_data();
    void createdAtRoundTrip();
    void referenceEpochOf2025();
    void preferencesRejected_data();
    void preferencesRejected();
    void preferencesRoundTrip();
    void hostileDocumentsAreRejectedQuickly_data();
    void hostileDocumentsAreRejectedQuickly();
    void extremeCreatedAtStaysSafe_data();
    void extremeCreatedAtStaysSafe();
    void saturatingSeconds_data();
    void saturatingSeconds();
};

void TestClipJson::rejectsHistory_data()
{
    QTest::addColumn<QByteArray>("json");
    for (const char *key : {"id", "kind", "title", "content", "source", "createdAt", "isPinned"}) {
        QByteArray element = kValidElement;
        const QByteArray needle = QByteArray("\"") + key + "\":";
        const qsizetype start = element.indexOf(needle);
        qsizetype end = element.indexOf(",\"", start + 1);
        if (end < 0)
            end = element.size() - 1;
        element.remove(start, end - start + (element.at(end) == ',' ? 1 : 0));
        if (element.endsWith(",}"))
            element.replace(",}", "}");
        QTest::addRow("missing %s", key) << "[" + element + "]";
    }
    QByteArray next = kValidElement;
    const auto replaced = [](QByteArray e, const char *from, const char *to) { return e.replace(from, to); };
    QTest::newRow("id number") << "[" + replaced(next, "\"5F3C1A2B-0D4E-4F60-8A7B-9C0D1E2F3A4B\"", "5") + "]";
    QTest::newRow("id braced") << "[" + replaced(next, "\"5F3C1A2B", "\"{5F3C1A2B").replace("3A4B\"", "3A4B}\"") + "]";
    QTest::newRow("id without dashes") << "["
                                              + replaced(next, "5F3C1A2B-0D4E-4F60-8A7B-9C0D1E2F3A4B",
                                                         "5F3C1A2B0D4E4F608A7B9C0D1E2F3A4B")
                                              + "]";
    QTest::newRow("id not hex") << "[" + replaced(next, "5F3C1A2B-", "5F3C1A2G-") + "]";
    QTest::newRow("id short") << "[" + replaced(next, "3A4B\"", "3A4\"") + "]";
    QTest::newRow("id dash moved") << "[" + replaced(next, "5F3C1A2B-0D4E", "5F3C1A2-B0D4E") + "]";
    QTest::newRow("kind unknown") << "[" + replaced(next, "\"text\"", "\"video\"") + "]";
    QTest::newRow("kind upper case") << "[" + replaced(next, "\"text\"", "\"Text\"") + "]";
    QTest::newRow("title null") << "[" + replaced(next, "\"title\":\"t\"", "\"title\":null") + "]";
    QTest::newRow("content array") << "[" + replaced(next, "\"content\":\"c\"", "\"content\":[]") + "]";
    QTest::newRow("source bool") << "[" + replaced(next, "\"source\":\"剪贴板\"", "\"source\":true") + "]";
    QTest::newRow("createdAt string") << "[" + replaced(next, "757382400", "\"757382400\"") + "]";
    QTest::newRow("isPinned number") << "[" + replaced(next, "\"isPinned\":false", "\"isPinned\":0") + "]";
    QTest::newRow("imagePath number") << "[" + withKey(next, "imagePath", "1") + "]";
    QTest::newRow("imagePath bool") << "[" + withKey(next, "imagePath", "false") + "]";
    QTest::newRow("imagePath object") << "[" + withKey(next, "imagePath", "{}") + "]";
    QTest::newRow("one bad element of two") << "[" + next + "," + replaced(next, "\"text\"", "\"gif\"") + "]";
    QTest::newRow("element not object") << "[" + next + ",1]";
    QTest::newRow("top object") << next;
    QTest::newRow("top null") << QByteArray("null");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("truncated") << "[" + next.left(next.size() - 3);
    QTest::newRow("trailing garbage") << "[" + next + "]x";
    QTest::newRow("invalid utf-8") << "[" + replaced(next, "\"t\"", "\"\xff\xfe\"") + "]";
    // A lone surrogate has no UTF-8 form: written back it would become "?".
    QTest::newRow("lone low surrogate") << "[" + replaced(next, "\"t\"", "\"a\\udc00b\"") + "]";
    QTest::newRow("lone high surrogate") << "[" + replaced(next, "\"c\"", "\"\\ud800\"") + "]";
    QTest::newRow("swapped pair in imagePath") << "[" + withKey(next, "imagePath", "\"\\ude00\\ud83d\"") + "]";
    QTest::newRow("second array") << "[" + next + "][]";
    QTest::newRow("missing comma") << "[" + next + next + "]";
    QTest::newRow("trailing comma") << "[" + next + ",]";
}

void TestClipJson::rejectsHistory()
{
    QFETCH(QByteArray, json);
    QVERIFY(!ClipJson::decodeClips(json).has_value());
}

void TestClipJson::acceptsHistory_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("id");
    QTest::addColumn<std::optional<QString>>("imagePath");
    const QString upper = QStringLiteral("5F3C1A2B-0D4E-4F60-8A7B-9C0D1E2F3A4B");
    QTest::newRow("imagePath absent") << "[" + kValidElement + "]" << upper << std::optional<QString>();
    QTest::newRow("imagePath null") << "[" + withKey(kValidElement, "imagePath", "null") + "]" << upper
                                    << std::optional<QString>();
    QTest::newRow("imagePath string") << "[" + withKey(kValidElement, "imagePath", R"("\/p\/q.png")") + "]" << upper
                                      << std::optional<QString>(QStringLiteral("/p/q.png"));
    QTest::newRow("unknown keys") << "[" + withKey(kValidElement, "colour", R"({"a":[1,2]})") + "]" << upper
                                  << std::optional<QString>();
    QTest::newRow("key order free") << QByteArray(
        R"([{"isPinned":false,"createdAt":757382400,"source":"剪贴板","content":"c",)"
        R"("title":"t","kind":"text","id":"5F3C1A2B-0D4E-4F60-8A7B-9C0D1E2F3A4B"}])")
                                    << upper << std::optional<QString>();
    QTest::newRow("lower-case id")
        << "[" + QByteArray(kValidElement).replace(upper.toLatin1(), upper.toLower().toLatin1()) + "]" << upper
        << std::optional<QString>();
    const QString nil = QStringLiteral("00000000-0000-0000-0000-000000000000");
    QTest::newRow("nil id") << "[" + QByteArray(kValidElement).replace(upper.toLatin1(), nil.toLatin1()) + "]" << nil
                            << std::optional<QString>();
    QTest::newRow("whitespace") << "[ \n" + kValidElement + " \t]\n" << upper << std::optional<QString>();
    QTest::newRow("byte-order mark") << "\xef\xbb\xbf[" + kValidElement + "]" << upper << std::optional<QString>();
    QTest::newRow("braces in strings") << "[" + withKey(kValidElement, "x", R"("}]\"{[")") + "]" << upper
                                       << std::optional<QString>();
}

void TestClipJson::acceptsHistory()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, id);
    QFETCH(std::optional<QString>, imagePath);
    const auto clips = ClipJson::decodeClips(json);
    QVERIFY(clips.has_value());
    QCOMPARE(clips->size(), 1);
    const ClipItem &item = clips->first();
    QCOMPARE(item.id.toString(QUuid::WithoutBraces).toUpper(), id);
    QCOMPARE(item.kind, ClipKind::text);
    QCOMPARE(item.title, QStringLiteral("t"));
    QCOMPARE(item.source, ClipItem::sourceClipboard());
    QCOMPARE(item.createdAt, 757382400.0);
    QCOMPARE(item.isPinned, false);
    QCOMPARE(item.imagePath, imagePath);
    // Whatever case came in, upper case goes out.
    QVERIFY(ClipJson::encodeClip(item).contains("\"id\":\"" + id.toLatin1() + "\""));
}

void TestClipJson::encodesExactBytes()
{
    const QByteArray expected =
        R"({"id":"5F3C1A2B-0D4E-4F60-8A7B-9C0D1E2F3A4B","kind":"image","title":"图片 \"x\"",)"
        R"("content":"a\/b\\c\n\t\u0001","source":"剪贴板","createdAt":757382400.5,"isPinned":true,)"
        R"("imagePath":"\/home\/u\/.local\/share\/Quillo\/ClipboardImages\/A.png"})";
    QCOMPARE(ClipJson::encodeClip(sampleItem()), expected);

    ClipItem plain = sampleItem();
    plain.imagePath.reset();
    plain.isPinned = false;
    QVERIFY(ClipJson::encodeClip(plain).endsWith(R"("isPinned":false})"));
    QCOMPARE(ClipJson::encodeClips({}), QByteArray("[]"));
    QCOMPARE(ClipJson::encodeClips({plain, plain}),
             "[" + ClipJson::encodeClip(plain) + "," + ClipJson::encodeClip(plain) + "]");
    QVERIFY(ClipJson::decodeClips("[]").has_value());
    QVERIFY(ClipJson::decodeClips("[]")->isEmpty());
}

void TestClipJson::createdAtRoundTrip_data()
{
    QTest::addColumn<double>("value");
    QTest::newRow("2025-01-01") << 757382400.0;
    QTest::newRow("fraction") << 757382400.123456789;
    QTest::newRow("one third") << 1.0 / 3.0;
    QTest::newRow("zero") << 0.0;
    QTest::newRow("negative") << -978307200.25;
    QTest::newRow("tiny") << std::numeric_limits<double>::denorm_min();
    QTest::newRow("huge") << 1.7976931348623157e308;
    QTest::newRow("now") << ReferenceTime::now();
}

void TestClipJson::createdAtRoundTrip()
{
    QFETCH(double, value);
    ClipItem item = sampleItem();
    item.createdAt = value;
    const auto decoded = ClipJson::decodeClips("[" + ClipJson::encodeClip(item) + "]");
    QVERIFY(decoded.has_value());
    QCOMPARE(std::bit_cast<quint64>(decoded->first().createdAt), std::bit_cast<quint64>(value));
}

void TestClipJson::referenceEpochOf2025()
{
    const QDateTime newYear(QDate(2025, 1, 1), QTime(0, 0), QTimeZone::utc());
    QCOMPARE(ReferenceTime::fromUnixSeconds(double(newYear.toSecsSinceEpoch())), 757382400.0);
    QCOMPARE(ReferenceTime::toDateTime(757382400.0), newYear);
    ClipItem item = sampleItem();
    item.createdAt = 757382400.0;
    QVERIFY(ClipJson::encodeClip(item).contains(R"("createdAt":757382400,)"));
}

void TestClipJson::preferencesRejected_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::newRow("only ignoreSensitive") << QByteArray(R"({"ignoreSensitive":false})");
    QTest::newRow("only noteDirectory") << QByteArray(R"({"noteDirectory":"\/n"})");
    QTest::newRow("directory number") << QByteArray(R"({"noteDirectory":1,"ignoreSensitive":true})");
    QTest::newRow("lone surrogate in the path")
        << QByteArray(R"({"noteDirectory":"\/home\/\udc00","ignoreSensitive":true})");
    QTest::newRow("switch string") << QByteArray(R"({"noteDirectory":"\/n","ignoreSensitive":"true"})");
    QTest::newRow("switch null") << QByteArray(R"({"noteDirectory":"\/n","ignoreSensitive":null})");
    QTest::newRow("empty path") << QByteArray(R"({"noteDirectory":"","ignoreSensitive":true})");
    QTest::newRow("relative path") << QByteArray(R"({"noteDirectory":"notes","ignoreSensitive":true})");
    QTest::newRow("tilde path") << QByteArray(R"({"noteDirectory":"~\/notes","ignoreSensitive":true})");
    QTest::newRow("url") << QByteArray(R"({"noteDirectory":"file:\/\/\/n","ignoreSensitive":true})");
    QTest::newRow("array") << QByteArray(R"([{"noteDirectory":"\/n","ignoreSensitive":true}])");
    QTest::newRow("garbage") << QByteArray("{noteDirectory}");
}

void TestClipJson::preferencesRejected()
{
    QFETCH(QByteArray, json);
    QVERIFY(!ClipJson::decodePreferences(json).has_value());
}

void TestClipJson::preferencesRoundTrip()
{
    const Preferences preferences{QStringLiteral("/home/李/Documents/Quillo"), false};
    const QByteArray bytes = ClipJson::encodePreferences(preferences);
    QCOMPARE(bytes, QByteArray(R"({"noteDirectory":"\/home\/李\/Documents\/Quillo","ignoreSensitive":false})"));
    QCOMPARE(ClipJson::decodePreferences(bytes), std::optional<Preferences>(preferences));
    const auto reordered = ClipJson::decodePreferences(R"({"ignoreSensitive":true,"extra":1,"noteDirectory":"/n"})");
    QCOMPARE(reordered, std::optional<Preferences>(Preferences{QStringLiteral("/n"), true}));
}

void TestClipJson::hostileDocumentsAreRejectedQuickly_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::newRow("nested arrays") << QByteArray(200000, '[') + QByteArray(200000, ']');
    QTest::newRow("nested objects") << QByteArray("{\"a\":").repeated(100000) + "1" + QByteArray(100000, '}');
    QTest::newRow("unclosed nesting") << QByteArray(1000000, '[');
    QTest::newRow("deep inside element") << "["
                                                + withKey(kValidElement, "x",
                                                          QByteArray(5000, '[') + QByteArray(5000, ']'))
                                                + "]";
    QByteArray many("[");
    for (int i = 0; i < 2000000; ++i)
        many += "0,";
    many += "0]";
    QTest::newRow("two million numbers") << many;
    QTest::newRow("20 MB string") << "[\"" + QByteArray(20 * 1024 * 1024, 'x') + "\"]";
}

void TestClipJson::hostileDocumentsAreRejectedQuickly()
{
    QFETCH(QByteArray, json);
    QVERIFY(!ClipJson::decodeClips(json).has_value());
    QVERIFY(!ClipJson::decodePreferences(json).has_value());
}

void TestClipJson::extremeCreatedAtStaysSafe_data()
{
    QTest::addColumn<QByteArray>("number");
    QTest::newRow("1e308") << QByteArray("1e308");
    QTest::newRow("-1e308") << QByteArray("-1e308");
    QTest::newRow("1e400") << QByteArray("1e400");
    QTest::newRow("-1e400") << QByteArray("-1e400");
    QTest::newRow("beyond int64") << QByteArray("18446744073709551616");
    QTest::newRow("int64 max") << QByteArray("9223372036854775807");
    QTest::newRow("int64 min") << QByteArray("-9223372036854775808");
}

void TestClipJson::extremeCreatedAtStaysSafe()
{
    QFETCH(QByteArray, number);
    QByteArray element = kValidElement;
    element.replace("757382400", number);
    const auto clips = ClipJson::decodeClips("[" + element + "]");
    if (!clips)
        return; // rejecting an out-of-range number is fine too
    const double seconds = clips->first().createdAt;
    // Under UBSan an unchecked conversion here would abort the test.
    const qint64 whole = ReferenceTime::saturatingSeconds(seconds);
    QVERIFY(std::isnan(seconds) || (seconds >= 0) == (whole >= 0) || whole == 0);
    QVERIFY(ReferenceTime::toDateTime(seconds).isValid());
    const auto again = ClipJson::decodeClips(ClipJson::encodeClips(*clips));
    QVERIFY(again.has_value());
}

void TestClipJson::saturatingSeconds_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<qint64>("expected");
    constexpr qint64 kMax = std::numeric_limits<qint64>::max();
    constexpr qint64 kMin = std::numeric_limits<qint64>::min();
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << qint64(0);
    QTest::newRow("+inf") << std::numeric_limits<double>::infinity() << kMax;
    QTest::newRow("-inf") << -std::numeric_limits<double>::infinity() << kMin;
    QTest::newRow("1e300") << 1e300 << kMax;
    QTest::newRow("-1e300") << -1e300 << kMin;
    QTest::newRow("2^63") << 9223372036854775808.0 << kMax;
    QTest::newRow("-2^63") << -9223372036854775808.0 << kMin;
    QTest::newRow("below 2^63") << 9223372036854774784.0 << qint64(9223372036854774784LL);
    QTest::newRow("fraction") << 757382400.9 << qint64(757382400);
    QTest::newRow("negative fraction") << -1.5 << qint64(-1);
}

void TestClipJson::saturatingSeconds()
{
    QFETCH(double, value);
    QFETCH(qint64, expected);
    QCOMPARE(ReferenceTime::saturatingSeconds(value), expected);
    QVERIFY(ReferenceTime::toDateTime(value).isValid());
}

QUILLO_TEST_GUILESS_MAIN(TestClipJson)
#include "tst_clip_json.moc"
