#include "store/CsvLine.h"
#include "platform/CodePage.h"
#include "platform/Text.h"
#include "store/CsvTable.h"
#include "store/TextLineFile.h"

#include <gtest/gtest.h>

#include <vector>

namespace kal {
namespace {

std::vector<std::u16string> FieldsOf(const CsvLine& parsed)
{
    std::vector<std::u16string> fields;
    for (int i = 0; i < parsed.FieldCount(); ++i)
        fields.emplace_back(parsed.Field(i));
    return fields;
}

// The fields of a line; reading the same line from its code-page bytes must find the same ones.
std::vector<std::u16string> Fields(std::u16string_view line)
{
    CsvLine parsed;
    parsed.Parse(line);
    CsvLine fromBytes;
    fromBytes.ParseEncoded(CodePage::Ansi().Encode(line).bytes, CodePage::Ansi());
    EXPECT_EQ(FieldsOf(fromBytes), FieldsOf(parsed)) << ToUtf8(line);
    return FieldsOf(parsed);
}

using Texts = std::vector<std::u16string>;

TEST(CsvLine, FieldsFollowTheQuoteRules)
{
    EXPECT_EQ(Fields(u"a,b,c"), (Texts { u"a", u"b", u"c" }));
    EXPECT_EQ(Fields(u"\"a\",\"b\""), (Texts { u"a", u"b" }));
    EXPECT_EQ(Fields(u"\"a,b\",c"), (Texts { u"a,b", u"c" }));
    // A quote inside a quoted field ends it only when a comma follows.
    EXPECT_EQ(Fields(u"\"say \"hi\" now\",x"), (Texts { u"say \"hi\" now", u"x" }));
    EXPECT_EQ(Fields(u"\"ends with \"\"\",x"), (Texts { u"ends with \"\"", u"x" }));
    EXPECT_EQ(Fields(u"\"last \"field\""), (Texts { u"last \"field" }));
    // The format's own limit: a quote followed by a comma always ends the field.
    EXPECT_EQ(Fields(u"\"a\",b\",c"), (Texts { u"a", u"b\"", u"c" }));
    EXPECT_EQ(Fields(u""), (Texts { u"" }));
    EXPECT_EQ(Fields(u","), (Texts { u"", u"" }));
    EXPECT_EQ(Fields(u"\"\",\"\""), (Texts { u"", u"" }));
    EXPECT_EQ(Fields(u"\"a\","), (Texts { u"a", u"" }));
    // No closing quote: the field runs to the line end.
    EXPECT_EQ(Fields(u"\"open"), (Texts { u"open" }));
    EXPECT_EQ(Fields(u"\""), (Texts { u"" }));
    // An unquoted field keeps its quotes.
    EXPECT_EQ(Fields(u"a\"b,c"), (Texts { u"a\"b", u"c" }));
    EXPECT_EQ(Fields(u"\"x\x01\x02y\",\x01z"), (Texts { u"x\r\ny", u"\x01z" }));
    // A lead byte cut off by the quote, and double-byte characters next to the separators.
    EXPECT_EQ(Fields(u"\"\xDC81\",表,\"ソ\"\""), (Texts { u"\xDC81", u"表", u"ソ\"" }));
    // Every place of the separators in a long line, across the boundaries the reader looks at in groups.
    for (std::size_t pad = 0; pad < 140; ++pad) {
        const std::u16string a(pad, u'予');
        const std::u16string b(140 - pad, u'x');
        EXPECT_EQ(Fields(u"\"" + a + u"\",\"" + b + u"\"\",c"), (Texts { a, b + u"\"", u"c" })) << pad;
        EXPECT_EQ(Fields(a + u"," + b + u"\"\"" + u",\"\","), (Texts { a, b + u"\"\"", u"", u"" })) << pad;
    }
    // One reader for line after line: what a longer line left past the end of a shorter one is not read
    // as part of it.
    CsvLine reused;
    for (std::size_t length = 150; length-- > 0;) {
        reused.ParseEncoded(std::string(200, ','), CodePage::Ansi());
        const std::string line = "\"" + std::string(length, 'x') + "\"";
        reused.ParseEncoded(line, CodePage::Ansi());
        EXPECT_EQ(FieldsOf(reused), (Texts { std::u16string(length, u'x') })) << length;
    }
}

TEST(CsvLine, QuotedFlagsAndEdits)
{
    CsvLine line;
    line.Parse(u"\"a\",b,\"c\"");
    EXPECT_TRUE(line.IsQuoted(0));
    EXPECT_FALSE(line.IsQuoted(1));
    EXPECT_TRUE(line.IsQuoted(2));
    EXPECT_FALSE(line.IsQuoted(3));
    EXPECT_EQ(line.Field(7), u"");

    line.SetField(1, u"a much longer text than before");
    line.SetField(0, line.Field(1)); // from the line itself
    line.SetField(2, u"");
    line.InsertEmptyField(1);
    line.RemoveField(3);
    line.AppendField(u"x", false);
    EXPECT_EQ(line.Join(LineEnd::Lf), u"\"a much longer text than before\",\"\",a much longer text than before,x\n");
    line.SetField(2, u"b");
    line.MarkAllQuoted();
    EXPECT_EQ(line.Join(LineEnd::CrLf), u"\"a much longer text than before\",\"\",\"b\",\"x\"\r\n");
}

TEST(CsvLine, WriterKeepsEveryFieldInItsColumn)
{
    CsvLine line;
    const Texts texts = { u"line\r\nbreak", u"lone\nfeed", u"quote\",comma", u"end quote\"", u"\"start", u",lead",
        u"ctrl\x1Az", u"cr\r" };
    for (const std::u16string& text : texts)
        line.AppendField(text);
    CsvLine reread;
    std::u16string written = line.Join(LineEnd::Lf);
    written.pop_back();
    reread.Parse(written);
    ASSERT_EQ(reread.FieldCount(), line.FieldCount());
    const Texts expected = { u"line\r\nbreak", u"lone\r\nfeed", u"quote”,comma", u"end quote\"", u"\"start", u",lead",
        u"ctrl?z", u"cr\r" };
    for (int i = 0; i < reread.FieldCount(); ++i)
        EXPECT_EQ(reread.Field(i), expected[static_cast<std::size_t>(i)]) << i;
}

TEST(CsvLine, LongLinesAreCutAtTheFieldLimit)
{
    std::u16string text;
    for (int i = 0; i < 2000; ++i)
        text += u"\"f\",";
    CsvLine line;
    line.Parse(text);
    EXPECT_EQ(line.FieldCount(), CsvLine::kMaxFields);
    EXPECT_TRUE(line.WasCut());
    for (int i = 0; i < 10; ++i)
        line.AppendField(u"more");
    line.InsertEmptyField(0);
    EXPECT_EQ(line.FieldCount(), CsvLine::kMaxFields);
    line.Parse(u"a,b");
    EXPECT_FALSE(line.WasCut());
}

TEST(TextLineFile, LinesEndAtLfAndCtrlZEndsTheText)
{
    const TextLineFile file = TextLineFile::FromText(u"one\r\ntwo\n\nthree\rx\nlast");
    ASSERT_EQ(file.LineCount(), 5);
    EXPECT_EQ(file.Line(0), u"one");
    EXPECT_EQ(file.Line(1), u"two");
    EXPECT_EQ(file.Line(2), u"");
    EXPECT_EQ(file.Line(3), u"three\rx");
    EXPECT_EQ(file.Line(4), u"last");
    EXPECT_EQ(file.Line(5), u"");

    const TextLineFile cut = TextLineFile::FromBytes(std::string("a\nb\x1A\nc\n", 7));
    ASSERT_EQ(cut.LineCount(), 2);
    EXPECT_EQ(cut.Line(1), u"b");
    EXPECT_EQ(TextLineFile::FromBytes("").LineCount(), 0);
    EXPECT_EQ(TextLineFile::FromBytes("\n").LineCount(), 1);
    EXPECT_EQ(TextLineFile::FromBytes("\x95\x5C,\x83\x5C\n").Line(0), u"表,ソ");
}

TEST(CsvTable, LoadsPadsAndWrites)
{
    const TextLineFile file = TextLineFile::FromText(u"\"h1\",\"h2\",\"h3\"\r\n\r\n\"a\"\r\n1,2,3,4\r\n");
    CsvTable table;
    ASSERT_TRUE(table.Load(file, HeaderLine::Present));
    EXPECT_EQ(table.Header().FieldCount(), 3);
    ASSERT_EQ(table.RowCount(), 2);
    EXPECT_EQ(table.Row(0).FieldCount(), 3);
    EXPECT_EQ(table.Row(1).FieldCount(), 3);
    EXPECT_EQ(table.Row(1).Field(2), u"3");

    table.InsertRowCopy(0, table.Row(1));
    table.AddEmptyRow();
    std::u16string text;
    table.AppendTo(text, HeaderLine::Present);
    EXPECT_EQ(text, u"\"h1\",\"h2\",\"h3\"\r\n1,2,3\r\n\"a\",\"\",\"\"\r\n1,2,3\r\n\"\",\"\",\"\"\r\n");
    EXPECT_EQ(table.VisibleRows(), (std::vector<int> { 0, 1, 2, 3 }));

    table.SetRowLimit(4);
    EXPECT_FALSE(table.Load(file, HeaderLine::Present));
    table.SetRowLimit(5);
    EXPECT_TRUE(table.Load(file, HeaderLine::Absent));
    EXPECT_EQ(table.RowCount(), 3);
    EXPECT_EQ(table.Row(2).FieldCount(), 4);
}

} // namespace
} // namespace kal
