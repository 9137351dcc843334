#include <gmock/gmock.h>

#include <map>

#include "info/Mail.h"
#include "info/ViewerSizing.h"
#include "puzzle/Win1252.h"

namespace qw {
namespace {

// What a mail program does with the address: split off the header fields, then percent-decode.
struct DecodedMail {
    std::string to;
    std::map<std::string, std::string> fields;  // decoded values, back in Windows-1252
};

std::string PercentDecode(std::string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            out += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return Utf8ToWin1252(out);
}

DecodedMail Decode(const std::string& url)
{
    EXPECT_EQ(url.rfind("mailto:", 0), 0u) << url;
    EXPECT_EQ(url.find_first_of(" #\r\n"), std::string::npos) << url;
    DecodedMail mail;
    const std::string rest = url.substr(7);
    const size_t query = rest.find('?');
    mail.to = PercentDecode(rest.substr(0, query));
    if (query == std::string::npos) return mail;
    std::string fields = rest.substr(query + 1);
    size_t start = 0;
    for (;;) {
        const size_t amp = fields.find('&', start);
        const std::string field = fields.substr(start, amp == std::string::npos ? amp : amp - start);
        const size_t eq = field.find('=');
        EXPECT_NE(eq, std::string::npos) << field;
        EXPECT_EQ(mail.fields.count(field.substr(0, eq)), 0u) << "header field given twice: " << url;
        mail.fields[field.substr(0, eq)] = PercentDecode(field.substr(eq + 1));
        if (amp == std::string::npos) break;
        start = amp + 1;
    }
    return mail;
}

TEST(AuthorMail, SubjectComesFromTheHeaderSections)
{
    const std::string caption = "Quotewell - P1.QWL";
    const std::string a[3] = {"A", "B", "C"};
    const std::string emptyFirst[3] = {"", "B", "C"};
    const std::string onlyLast[3] = {"", "", "C"};
    const std::string none[3] = {"", "", ""};
    EXPECT_EQ(AuthorMailUrl("ann@example.org", HeaderSections(a), caption), "mailto:ann@example.org?Subject=B");
    EXPECT_EQ(AuthorMailSubject(HeaderSections(emptyFirst), caption), "C");
    EXPECT_EQ(AuthorMailSubject(HeaderSections(onlyLast), caption), "C");
    EXPECT_EQ(AuthorMailSubject(HeaderSections(none), caption), caption);
    EXPECT_EQ(AuthorMailUrl("ann@example.org", {}, caption), "mailto:ann@example.org?Subject=Quotewell%20-%20P1.QWL");
}

TEST(AuthorMail, AwkwardSubjectsAndAddressesArriveIntact)
{
    // A '?' or '&' in a puzzle's author address must not smuggle in header fields of its own.
    for (const std::string subject : {"Q&A", "50% off #1? Yes+no", "Caf\xE9 \x93quoted\x94 \x80", "a=b&Body=x"}) {
        const DecodedMail mail = Decode(AuthorMailUrl("ann@example.org?bcc=eve@example.net", {"x", subject}, ""));
        EXPECT_EQ(mail.to, "ann@example.org?bcc=eve@example.net");
        ASSERT_EQ(mail.fields.size(), 1u);
        EXPECT_EQ(mail.fields.at("Subject"), subject);
    }
    EXPECT_EQ(MailtoEncode("\xE9"), "%C3%A9");
    EXPECT_EQ(MailtoEncode("a+b c"), "a%2Bb%20c");
}

TEST(Report, AddressCheck)
{
    EXPECT_FALSE(IsValidAddress("ann@example"));
    EXPECT_FALSE(IsValidAddress("ann@@example.org"));
    EXPECT_FALSE(IsValidAddress("a@b@example.org"));
    EXPECT_FALSE(IsValidAddress(""));
    EXPECT_TRUE(IsValidAddress("ann.lee@example"));
    EXPECT_TRUE(IsValidAddress("ann@example.org"));
}

TEST(Report, ConstructorReportIsLaidOutAsReadableText)
{
    EXPECT_EQ(ConstructorReportUrl("con@example.org", "P1.QWL", 2, 3, {"Nice."}),
              "mailto:con@example.org?Subject=%5BQWB%5D%20P1.QWL&Body=Publication%20recommended%0D%0A%0D%0A"
              "Difficulty%20rating:%203%0D%0A%0D%0ANice.%0D%0A");

    const DecodedMail unrated = Decode(ConstructorReportUrl("con@example.org", "P1.QWL", 1, 0, {}));
    EXPECT_EQ(unrated.fields.at("Body"),
              "Publication recommended, subject to comments below\r\n\r\nNot rated for difficulty\r\n\r\n");
    EXPECT_EQ(Decode(ConstructorReportUrl("c@x.org", "P", 0, 5, {})).fields.at("Body").substr(0, 28),
              "Publication not recommended\r");
}

TEST(Report, ConstructorCommentsDecodeToWhatWasTyped)
{
    const std::vector<std::string> lines = {"Q&A is good", "", "100% sure #5? a+b=c", "na\xEFve caf\xE9 | ok"};
    const DecodedMail mail = Decode(ConstructorReportUrl("con@example.org", "My Puzzle #2.QWL", 0, 1, lines));
    EXPECT_EQ(mail.to, "con@example.org");
    EXPECT_EQ(mail.fields.at("Subject"), "[QWB] My Puzzle #2.QWL");
    EXPECT_EQ(mail.fields.at("Body"), "Publication not recommended\r\n\r\nDifficulty rating: 1\r\n\r\n"
                                      "Q&A is good\r\n\r\n100% sure #5? a+b=c\r\nna\xEFve caf\xE9 | ok\r\n");
}

TEST(Report, MakerReportCarriesTheSentFlagAndFoldedComments)
{
    EXPECT_EQ(MakerReportUrl(kMakerReportAddress, "P1.QWL", 1, 2, 3, "Nice."),
              "mailto:reports@example.com?Subject=%5BQWB%5D%20P1.QWL&Body=DO%20NOT%20EDIT!%0D%0A%0D%0A1|2|3|Nice.");
    EXPECT_THAT(MakerReportUrl(kMakerReportAddress, "P1.QWL", 0, 2, 3, "Nice."), testing::EndsWith("0|2|3|Nice."));
    EXPECT_THAT(MakerReportUrl(kMakerReportAddress, "P1.QWL", 0, 0, 0, "One\r\n\r\nTwo"),
                testing::EndsWith("0|0|0|One|Two"));
}

TEST(Report, MakerCommentFolding)
{
    EXPECT_EQ(FoldMakerComments("One\r\n\r\n\r\nTwo\r\n"), "One|Two|");
    EXPECT_EQ(FoldMakerComments("a |\r\n| b||c"), "a | b|c");
    EXPECT_EQ(FoldMakerComments("lone\rcr\nlf"), "lone\rcr\nlf");
    EXPECT_EQ(FoldMakerComments(""), "");

    const DecodedMail mail = Decode(MakerReportUrl(kMakerReportAddress, "P.QWL", 1, 0, 4, "Q&A\r\n50% #1?\r\ncaf\xE9"));
    EXPECT_EQ(mail.fields.at("Body"), "DO NOT EDIT!\r\n\r\n1|0|4|Q&A|50% #1?|caf\xE9");
}

TEST(ViewerSizing, MoreInfoClientFitsTheText)
{
    EXPECT_EQ(NoteClientSize({120, 300, 80}, 16), (Extent{308, 56}));
    EXPECT_EQ(NoteClientSize({}, 16), (Extent{8, 8}));
}

TEST(ViewerSizing, SolversViewerIsCappedToTheMainWindow)
{
    const Extent main{800, 600};
    EXPECT_EQ(CapToMainWindow({400, 300}, main), (CappedViewerSize{400, false, 300, false, false}));
    EXPECT_EQ(CapToMainWindow({800, 600}, main), (CappedViewerSize{800, false, 600, false, false}));
    EXPECT_EQ(CapToMainWindow({801, 2000}, main), (CappedViewerSize{800, true, 600, true, true}));
    EXPECT_EQ(CapToMainWindow({300, 601}, main), (CappedViewerSize{300, false, 600, true, true}));
}

}  // namespace
}  // namespace qw
