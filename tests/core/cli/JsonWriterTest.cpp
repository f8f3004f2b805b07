#include "core/exchange/JsonWriter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {
QByteArray Scalar(double v)
{
    JsonWriter w;
    w.Value(v);
    return w.Take().trimmed();
}
}  // namespace

TEST(JsonWriter, KeepsKeysInTheOrderWrittenOneMemberPerLine)
{
    JsonWriter w;
    w.BeginObject();
    w.Member("Zeta", 1);
    w.Member("Alpha", true);
    w.Key("List");
    w.BeginArray(true);
    w.Value(1.5);
    w.Value(2);
    w.EndArray();
    w.Key("Empty");
    w.BeginArray();
    w.EndArray();
    w.Key("Point");
    w.BeginObject(true);
    w.Member("DX", 12);
    w.Member("DY", -15);
    w.EndObject();
    w.EndObject();
    EXPECT_EQ(w.Take(), QByteArray("{\n"
                                   "  \"Zeta\": 1,\n"
                                   "  \"Alpha\": true,\n"
                                   "  \"List\": [1.5, 2],\n"
                                   "  \"Empty\": [],\n"
                                   "  \"Point\": {\"DX\": 12, \"DY\": -15}\n"
                                   "}\n"));
}

TEST(JsonWriter, DoublesInTheirShortestExactForm)
{
    EXPECT_EQ(Scalar(0.1), "0.1");
    EXPECT_EQ(Scalar(100), "100");
    EXPECT_EQ(Scalar(-397.3), "-397.3");
    EXPECT_EQ(Scalar(0.1 + 0.2), "0.30000000000000004");
    EXPECT_EQ(Scalar(std::numeric_limits<double>::quiet_NaN()), "null");
    EXPECT_EQ(Scalar(-std::numeric_limits<double>::infinity()), "null");
    for (double v : {1.0 / 3, 1e300, 5e-324, -2.5e-7, 12345678.901234567}) {
        const QByteArray text = Scalar(v);
        EXPECT_EQ(text.toDouble(), v) << text.constData();
        EXPECT_EQ(QJsonDocument::fromJson("[" + text + "]").array().at(0).toDouble(), v) << text.constData();
    }
    JsonWriter w;
    w.Value(0.1f);
    EXPECT_EQ(w.Take().trimmed(), "0.1") << "a single is printed as a single";
}

TEST(JsonWriter, EscapesTextAndKeepsUnicode)
{
    JsonWriter w;
    w.BeginObject();
    w.Member("Text", QStringLiteral("Шахта «Северная»\r\n\t\"кв.\" \\ \x01"));
    w.EndObject();
    const QByteArray text = w.Take();
    EXPECT_TRUE(text.contains("Шахта «Северная»\\r\\n\\t\\\"кв.\\\" \\\\ \\u0001"));
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(text, &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError);
    EXPECT_EQ(doc.object().value("Text").toString(), QStringLiteral("Шахта «Северная»\r\n\t\"кв.\" \\ \x01"));
}

TEST(JsonWriter, NestedArraysOfObjectsAreValidJson)
{
    JsonWriter w;
    w.BeginArray();
    for (int i = 0; i < 3; ++i) {
        w.BeginObject();
        w.Member("I", i);
        w.Key("Rows");
        w.BeginArray();
        w.BeginArray(true);
        w.Value(i);
        w.EndArray();
        w.EndArray();
        w.EndObject();
    }
    w.EndArray();
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(w.Take(), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError);
    ASSERT_EQ(doc.array().size(), 3);
    EXPECT_EQ(doc.array().at(2).toObject().value("Rows").toArray().at(0).toArray().at(0).toInt(), 2);
}
