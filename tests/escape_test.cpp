// Each escape with the hostile texts of its place: what a scenario, a file
// name or a payload may hold to break out of it.
#include "util/escape.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

namespace tarvosa {
namespace {

constexpr std::string_view kReplaced = "\xEF\xBF\xBD";

struct Case {
  std::string_view text;
  std::string escaped;
};

TEST(EscapeHtml, MarkupBecomesReferencesAndPlainTextStays) {
  const Case cases[] = {
      {"Tarvosa - Corvale", "Tarvosa - Corvale"},
      {"Validità € ’", "Validità € ’"},
      {"</title><script>alert(1)</script>", "&lt;/title&gt;&lt;script&gt;alert(1)&lt;/script&gt;"},
      {"<img src=x onerror=\"window.__pwned=1\">",
       "&lt;img src=x onerror=&quot;window.__pwned=1&quot;&gt;"},
      {"' onmouseover='x", "&#39; onmouseover=&#39;x"},
      {"<!--", "&lt;!--"},
      {"&amp; & &#39;", "&amp;amp; &amp; &amp;#39;"},
      {"a\xFF"
       "b",
       "a\xEF\xBF\xBD"
       "b"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(EscapeHtml(c.text), c.escaped) << c.text;
}

TEST(EscapeJsonInScript, NothingThatEndsOrCommentsAScriptCanStand) {
  const Case cases[] = {
      {R"({"t":"</script><script>x()</script>"})",
       R"({"t":"\u003c/script\u003e\u003cscript\u003ex()\u003c/script\u003e"})"},
      {R"(["<!--<script>"])", R"(["\u003c!--\u003cscript\u003e"])"},
      {R"(["a && b"])", R"(["a \u0026\u0026 b"])"},
      {"[\"\u2028\u2029\"]", R"(["\u2028\u2029"])"},
      {R"({"n":[1,2.5],"s":"Validità ’"})", R"({"n":[1,2.5],"s":"Validità ’"})"},
  };
  for (const Case& c : cases) EXPECT_EQ(EscapeJsonInScript(c.text), c.escaped) << c.text;
}

// The escapes are JSON's own: the script reads back the very texts.
TEST(EscapeJsonInScript, JsonReadsBackTheSameTexts) {
  for (const std::string_view hostile :
       {"</script>", "<!--<script>", "-->", "</SCRIPT >", "a&b", "\u2028x\u2029", "\\u003c"}) {
    const nlohmann::json value = {{"text", hostile}};
    const std::string escaped = EscapeJsonInScript(value.dump());
    EXPECT_EQ(escaped.find_first_of("<>&"), std::string::npos) << escaped;
    EXPECT_EQ(nlohmann::json::parse(escaped), value) << escaped;
  }
}

TEST(EscapeXml, MarkupBecomesReferencesAndWhatXmlForbidsIsReplaced) {
  const std::string r(kReplaced);
  const Case cases[] = {
      {"Cavalleggeri d'Aosta", "Cavalleggeri d'Aosta"},
      {"Validità € ’ 😀", "Validità € ’ 😀"},
      {"<text>&\"x\"</text>", "&lt;text&gt;&amp;&quot;x&quot;&lt;/text&gt;"},
      {"]]>", "]]&gt;"},
      {"\t\n\r", "&#9;&#10;&#13;"},
      {"a\x01"
       "b\x1b[31m",
       "a\xEF\xBF\xBD"
       "b\xEF\xBF\xBD"
       "[31m"},
      {std::string_view("\0", 1), r},
      {"\x7F\xC2\x85", "\x7F\xC2\x85"},     // DEL and C1 are XML 1.0 characters
      {"\xEF\xBF\xBE\xEF\xBF\xBF", r + r},  // U+FFFE, U+FFFF
      {"\xED\xA0\x80", r + r + r},          // a lone surrogate
      {"\xFF"
       "name",
       r + "name"},
  };
  for (const Case& c : cases) EXPECT_EQ(EscapeXml(c.text), c.escaped) << c.text;
}

TEST(EscapeTerminal, ControlsAndStrayBytesAreShownEscaped) {
  const Case cases[] = {
      {"Validità € ’ \xC2\xA0 😀", "Validità € ’ \xC2\xA0 😀"},
      {"\x1b[2J\x1b]0;title\x07", "\\u001b[2J\\u001b]0;title\\u0007"},
      {"a\tb\nc\rd", "a\\u0009b\\u000ac\\u000dd"},
      {std::string_view("\0", 1), "\\u0000"},
      {"\x7F", "\\u007f"},
      {"\xC2\x9B"
       "31m\xC2\x85",
       "\\u009b31m\\u0085"},  // C1: CSI, NEL
      {"\xFF"
       "name",
       "\\xffname"},
      {"\xE2\x82", "\\xe2\\x82"},  // a euro sign cut short
      {"\\x1b", "\\x1b"},
  };
  for (const Case& c : cases) EXPECT_EQ(EscapeTerminal(c.text), c.escaped) << c.text;
}

TEST(EscapeTerminal, LinesKeepTheirLineFeeds) {
  const Case cases[] = {
      {"", ""},
      {"one\ntwo\n", "one\ntwo\n"},
      {"a\x1b\n\rb\n\n", "a\\u001b\n\\u000db\n\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(EscapeTerminalLines(c.text), c.escaped) << c.text;
}

// The \u form keeps JSON JSON: the same value, no control left.
TEST(EscapeTerminal, JsonStaysTheSameJson) {
  const nlohmann::json value = {{"name", "\x7F\xC2\x9B\x1b[2J"}};
  const std::string shown = EscapeTerminalLines(value.dump(2));
  EXPECT_EQ(nlohmann::json::parse(shown), value);
  EXPECT_EQ(shown.find_first_of("\x1b\x7F"), std::string::npos);
}

TEST(EscapeShellWord, TheShellReadsBackTheVeryText) {
  const Case cases[] = {
      {"Lago", "'Lago'"},
      {"", "''"},
      {"Cavalleggeri d'Aosta", R"('Cavalleggeri d'\''Aosta')"},
      {"x';touch pwned;'", R"('x'\'';touch pwned;'\''')"},
      {R"($(touch pwned) `id` "$HOME" \)", R"('$(touch pwned) `id` "$HOME" \')"},
  };
  for (const Case& c : cases) EXPECT_EQ(EscapeShellWord(c.text), c.escaped) << c.text;
}

TEST(EscapeUrlPathSegment, OnlyUnreservedBytesStay) {
  const Case cases[] = {
      {"view.html.stamp.js", "view.html.stamp.js"},
      {"Aa-Zz_09.~", "Aa-Zz_09.~"},
      {"data:,window.x=1%2F%2F.js", "data%3A%2Cwindow.x%3D1%252F%252F.js"},
      {"a b#c?d/e\\f", "a%20b%23c%3Fd%2Fe%5Cf"},
      {"è\xFF", "%C3%A8%FF"},
  };
  for (const Case& c : cases) EXPECT_EQ(EscapeUrlPathSegment(c.text), c.escaped) << c.text;
}

}  // namespace
}  // namespace tarvosa
