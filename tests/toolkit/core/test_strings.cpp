#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <vector>

#include "toolkit/core/codepage.h"
#include "toolkit/core/component.h"
#include "toolkit/core/reader.h"
#include "toolkit/core/exceptions.h"
#include "toolkit/core/streams.h"
#include "toolkit/core/strings.h"
#include "toolkit/core/temp_dir.h"
#include "toolkit/core/writer.h"

namespace {

using Lines = std::vector<std::string>;

Lines Items(const TStrings& list) {
  Lines lines;
  for (int i = 0; i < list.Count(); ++i) lines.push_back(list[i]);
  return lines;
}

void Fill(TStrings& list, const Lines& lines) {
  list.Clear();
  for (const std::string& line : lines) list.Add(line);
}

// The smallest TStrings: lines only, no objects, every derived operation from the base.
class PlainStrings : public TStrings {
public:
  int Count() const override { return static_cast<int>(lines_.size()); }
  std::string Get(int index) const override {
    if (index < 0 || index >= Count()) IndexError(index);
    return lines_[index];
  }
  void Insert(int index, const std::string& s) override {
    if (index < 0 || index > Count()) IndexError(index);
    lines_.insert(lines_.begin() + index, s);
  }
  void Delete(int index) override {
    Get(index);
    lines_.erase(lines_.begin() + index);
  }
  void Clear() override { lines_.clear(); }

private:
  Lines lines_;
};

// ---- The golden file written by Free Pascal's TStringList ----

std::string Unescape(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x') {
      out.push_back(static_cast<char>(std::stoi(std::string(text.substr(i + 2, 2)), nullptr, 16)));
      i += 3;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

struct GoldenCase {
  char kind;  // 'C', 'G' (list -> text), 'P', 'Q' (text -> list), 'T' (Text)
  char delimiter, quote;
  bool strict;
  Lines items;
  std::string text;
  std::string textBack;  // 'T': Text read back
  int line;
};

std::vector<GoldenCase> ReadGolden() {
  std::ifstream in(std::string(QUILLIMO_TEST_DATA) + "/commatext_golden.txt", std::ios::binary);
  std::vector<std::string> raw;
  for (std::string line; std::getline(in, line);) raw.push_back(line);
  std::vector<GoldenCase> cases;
  char delimiter = ',', quote = '"';
  bool strict = false;
  std::size_t i = 0;
  auto field = [&](char tag) {
    EXPECT_TRUE(i < raw.size() && raw[i].size() >= 2 && raw[i][0] == tag) << "line " << i + 1;
    return i < raw.size() ? Unescape(std::string_view(raw[i++]).substr(2)) : std::string();
  };
  auto items = [&](int n) {
    Lines lines;
    for (int k = 0; k < n; ++k) lines.push_back(field('I'));
    return lines;
  };
  while (i < raw.size()) {
    const std::string& line = raw[i];
    const int lineNo = static_cast<int>(i) + 1;
    const char tag = line[0];
    if (tag == 'M') {
      const std::string mode = Unescape(std::string_view(line).substr(2));
      delimiter = mode[0], quote = mode[2], strict = mode[4] == '1';
      ++i;
    } else if (tag == 'L') {
      ++i;
      GoldenCase c{'?', delimiter, quote, strict, items(std::stoi(line.substr(2))), "", "", lineNo};
      c.kind = raw[i][0];
      c.text = field(c.kind);
      cases.push_back(c);
    } else {
      GoldenCase c{tag, delimiter, quote, strict, {}, field(tag), "", lineNo};
      c.items = items(std::stoi(field('N')));
      if (tag == 'T') c.textBack = field('X');
      cases.push_back(c);
    }
  }
  return cases;
}

void ApplyMode(TStrings& list, const GoldenCase& c) {
  list.SetDelimiter(c.delimiter);
  list.SetQuoteChar(c.quote);
  list.SetStrictDelimiter(c.strict);
}

}  // namespace

// A component with a string list property, as a memo's Lines or a list box's Items.
class TLinesHolder : public TComponent {
  QUILLIMO_CLASS(TLinesHolder, TComponent)
public:
  using TComponent::TComponent;
  TStringList* GetLines() const { return lines_.get(); }
  void SetLines(TStringList* lines) { lines_->Assign(lines); }

private:
  std::unique_ptr<TStringList> lines_ = std::make_unique<TStringList>();
};

QUILLIMO_REGISTER_CLASS(TLinesHolder,
                        [](TPropertyTable& p) { p.Object("Lines", &TLinesHolder::GetLines, &TLinesHolder::SetLines); });

TEST(StringsGolden, FileHasAllKindsOfRecords) {
  const auto cases = ReadGolden();
  std::map<char, int> counts;
  for (const auto& c : cases) ++counts[c.kind];
  EXPECT_GE(counts['C'], 40);
  EXPECT_GE(counts['P'], 90);
  EXPECT_GE(counts['G'], 60);
  EXPECT_GE(counts['Q'], 140);
  EXPECT_GE(counts['T'], 10);
}

TEST(StringsGolden, ListsGiveTheSameTextAsTheReference) {
  for (const auto& c : ReadGolden()) {
    if (c.kind != 'C' && c.kind != 'G') continue;
    TStringList list;
    ApplyMode(list, c);
    Fill(list, c.items);
    EXPECT_EQ(c.kind == 'C' ? list.CommaText() : list.DelimitedText(), c.text) << "golden line " << c.line;
    PlainStrings plain;
    ApplyMode(plain, c);
    Fill(plain, c.items);
    EXPECT_EQ(c.kind == 'C' ? plain.CommaText() : plain.DelimitedText(), c.text) << "golden line " << c.line;
  }
}

TEST(StringsGolden, TextsGiveTheSameItemsAsTheReference) {
  for (const auto& c : ReadGolden()) {
    TStringList list;
    ApplyMode(list, c);
    list.Add("old content");
    switch (c.kind) {
      case 'P': list.SetCommaText(c.text); break;
      case 'Q': list.SetDelimitedText(c.text); break;
      case 'T': list.SetText(c.text); break;
      default: continue;
    }
    EXPECT_EQ(Items(list), c.items) << "golden line " << c.line;
    if (c.kind == 'T') EXPECT_EQ(list.Text(), c.textBack) << "golden line " << c.line;
  }
}

TEST(StringsGolden, CommaTextOfTheReferenceReadsBackToItsItems) {
  for (const auto& c : ReadGolden()) {
    if (c.kind != 'C' || c.strict) continue;
    TStringList list;
    list.SetCommaText(c.text);
    EXPECT_EQ(Items(list), c.items) << "golden line " << c.line;
  }
}

TEST(StringList, IndexErrorsNameTheIndex) {
  TStringList list;
  list.Add("a");
  const auto expectError = [](auto action, int index) {
    try {
      action();
      ADD_FAILURE() << index;
    } catch (const EStringListError& e) {
      EXPECT_EQ(e.Message(), "List index out of bounds (" + std::to_string(index) + ")");
    }
  };
  expectError([&] { list.Get(-1); }, -1);
  expectError([&] { list.Get(1); }, 1);
  expectError([&] { list.SetStrings(1, "x"); }, 1);
  expectError([&] { list.Objects(2); }, 2);
  expectError([&] { list.Delete(1); }, 1);
  expectError([&] { list.Insert(2, "x"); }, 2);
  expectError([&] { list.Exchange(0, 1); }, 1);
  expectError([&] { list.Move(0, 3); }, 3);
  EXPECT_EQ(Items(list), Lines{"a"});
  PlainStrings plain;
  expectError([&] { plain.Objects(0); }, 0);
  expectError([&] { plain.SetStrings(0, "x"); }, 0);
  plain.Add("a");
  expectError([&] { plain.Move(0, 1); }, 1);  // checked before the line is taken out
  EXPECT_EQ(Items(plain), Lines{"a"});
}

TEST(StringList, EditingKeepsObjectsWithTheirLines) {
  TStringList list;
  TStringList one, two;
  list.AddObject("one", &one);
  list.Add("three");
  list.InsertObject(1, "two", &two);
  EXPECT_EQ(Items(list), (Lines{"one", "two", "three"}));
  EXPECT_EQ(list.Objects(1), &two);
  EXPECT_EQ(list.Objects(2), nullptr);
  list.Exchange(0, 2);
  EXPECT_EQ(list.Objects(2), &one);
  list.Move(2, 0);
  EXPECT_EQ(Items(list), (Lines{"one", "three", "two"}));
  EXPECT_EQ(list.Objects(0), &one);
  EXPECT_EQ(list.IndexOfObject(&two), 2);
  list.Move(0, 2);
  EXPECT_EQ(Items(list), (Lines{"three", "two", "one"}));
  list.SetStrings(1, "TWO");
  EXPECT_EQ(list.Objects(1), &two);
  list.Delete(0);
  EXPECT_EQ(list.Count(), 2);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST(StringList, BaseClassOperationsOnAPlainDescendant) {
  PlainStrings plain;
  Fill(plain, {"a", "b", "c"});
  plain.SetStrings(1, "B");
  plain.Exchange(0, 2);
  plain.Move(0, 1);
  EXPECT_EQ(Items(plain), (Lines{"B", "c", "a"}));
  EXPECT_EQ(plain.IndexOf("C"), 1);
  EXPECT_EQ(plain.Objects(0), nullptr);
  plain.SetCommaText("x,\"y z\"");
  EXPECT_EQ(Items(plain), (Lines{"x", "y z"}));
  plain.SetText("1\r\n2");
  EXPECT_EQ(plain.Text(), "1\r\n2\r\n");
}

TEST(StringList, IndexOfIgnoresAsciiCaseUnlessCaseSensitive) {
  TStringList list;
  Fill(list, {"Button1", "button1", "\xC5\x9E"});
  EXPECT_EQ(list.IndexOf("BUTTON1"), 0);
  EXPECT_EQ(list.IndexOf("\xC5\x9F"), -1);  // only ASCII letters fold
  EXPECT_EQ(list.IndexOf("missing"), -1);
  list.SetCaseSensitive(true);
  EXPECT_EQ(list.IndexOf("button1"), 1);
  EXPECT_EQ(list.IndexOf("BUTTON1"), -1);
}

TEST(StringList, NamesAndValues) {
  TStringList list;
  Fill(list, {"Width=300", "Caption=a=b", "plain", "=empty name"});
  EXPECT_EQ(list.Names(0), "Width");
  EXPECT_EQ(list.Names(2), "");
  EXPECT_EQ(list.ValueFromIndex(1), "a=b");
  EXPECT_EQ(list.ValueFromIndex(2), "");
  EXPECT_EQ(list.Values("caption"), "a=b");
  EXPECT_EQ(list.Values("plain"), "");
  EXPECT_EQ(list.IndexOfName("WIDTH"), 0);
  EXPECT_EQ(list.IndexOfName(""), 3);
  list.SetValues("width", "400");
  EXPECT_EQ(list[0], "width=400");
  list.SetValues("Height", "20");
  EXPECT_EQ(list[4], "Height=20");
  list.SetValues("Caption", "");
  EXPECT_EQ(list.IndexOfName("Caption"), -1);
  list.SetNameValueSeparator(':');
  list.Add("key:value");
  EXPECT_EQ(list.Values("KEY"), "value");
}

TEST(StringList, TextOfTickLines) {
  TStringList list;
  list.SetText("Bir,mesaj,1\r\nIki,0\r\n\r\nx");
  EXPECT_EQ(Items(list), (Lines{"Bir,mesaj,1", "Iki,0", "", "x"}));
  EXPECT_EQ(list.Text(), "Bir,mesaj,1\r\nIki,0\r\n\r\nx\r\n");
  list.SetText("");
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Text(), "");
}

TEST(StringList, SortedListsInsertInPlaceAndFind) {
  TStringList list;
  list.SetSorted(true);
  for (const char* s : {"delta", "Alpha", "charlie", "_under", "bravo"}) list.Add(s);
  // ASCII letters compare as capitals, so "_" sorts after them.
  EXPECT_EQ(Items(list), (Lines{"Alpha", "bravo", "charlie", "delta", "_under"}));
  int index = -1;
  EXPECT_TRUE(list.Find("CHARLIE", index));
  EXPECT_EQ(index, 2);
  EXPECT_FALSE(list.Find("bz", index));
  EXPECT_EQ(index, 2);
  EXPECT_EQ(list.IndexOf("DELTA"), 3);
  EXPECT_EQ(list.IndexOf("echo"), -1);
  EXPECT_THROW(list.Insert(0, "x"), EStringListError);
  EXPECT_THROW(list.SetStrings(0, "x"), EStringListError);
  EXPECT_THROW(list.Move(0, 1), EStringListError);
  EXPECT_EQ(list.Count(), 5);
  list.SetSorted(false);
  list.Insert(0, "zulu");
  EXPECT_EQ(list[0], "zulu");
  list.SetSorted(true);
  EXPECT_EQ(list[4], "zulu");
}

TEST(StringList, Duplicates) {
  TStringList list;
  list.SetSorted(true);
  EXPECT_EQ(list.Add("b"), 0);
  EXPECT_EQ(list.Add("a"), 0);
  EXPECT_EQ(list.Add("B"), 1);  // dupIgnore: the existing index, nothing added
  EXPECT_EQ(list.Count(), 2);
  list.SetDuplicates(dupError);
  try {
    list.Add("A");
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), "String list does not allow duplicates");
  }
  list.SetDuplicates(dupAccept);
  TStringList marker;
  EXPECT_EQ(list.AddObject("A", &marker), 0);  // before the equal one
  EXPECT_EQ(Items(list), (Lines{"A", "a", "b"}));
  EXPECT_EQ(list.Objects(0), &marker);
}

TEST(StringList, CaseSensitivityResortsASortedList) {
  TStringList list;
  Fill(list, {"b", "B", "a", "A"});
  list.SetSorted(true);
  EXPECT_EQ(Items(list), (Lines{"a", "A", "b", "B"}));  // equal lines keep their order
  list.SetCaseSensitive(true);
  EXPECT_EQ(Items(list), (Lines{"A", "B", "a", "b"}));
  EXPECT_EQ(list.Add("a"), 2);
  EXPECT_EQ(list.Count(), 4);
}

TEST(StringList, SortAndCustomSort) {
  TStringList list;
  Fill(list, {"10", "9", "100", "9"});
  TStringList nine;
  list.SetObjects(1, &nine);
  list.Sort();
  EXPECT_EQ(Items(list), (Lines{"10", "100", "9", "9"}));
  EXPECT_EQ(list.Objects(2), &nine);  // stable
  list.CustomSort([](TStringList& l, int a, int b) { return std::stoi(l[a]) - std::stoi(l[b]); });
  EXPECT_EQ(Items(list), (Lines{"9", "9", "10", "100"}));
  EXPECT_EQ(list.Objects(0), &nine);
  EXPECT_FALSE(list.Sorted());
}

TEST(StringList, ChangeEventsOncePerOutermostUpdate) {
  TStringList list;
  std::vector<std::string> events;
  list.OnChanging = [&](TObject* sender) {
    EXPECT_EQ(sender, &list);
    events.push_back("changing " + std::to_string(list.Count()));
  };
  list.OnChange = [&](TObject*) { events.push_back("change " + std::to_string(list.Count())); };
  list.Add("a");
  EXPECT_EQ(events, (Lines{"changing 0", "change 1"}));
  events.clear();
  list.SetText("1\r\n2\r\n3");
  list.SetCommaText("x,y");
  EXPECT_EQ(events, (Lines{"changing 1", "change 3", "changing 3", "change 2"}));
  events.clear();
  list.BeginUpdate();
  list.BeginUpdate();
  list.Add("z");
  list.Delete(0);
  list.EndUpdate();
  EXPECT_TRUE(events == Lines{"changing 2"});
  list.EndUpdate();
  EXPECT_EQ(events, (Lines{"changing 2", "change 2"}));
  list.EndUpdate();  // unbalanced: ignored
  EXPECT_EQ(list.UpdateCount(), 0);
  events.clear();
  try {
    list.SetValues("a", "b");  // fine
    list.SetStrings(7, "x");
  } catch (const EStringListError&) {
  }
  EXPECT_EQ(list.UpdateCount(), 0);
  EXPECT_EQ(events, (Lines{"changing 2", "change 3"}));
}

TEST(StringList, AssignAddStringsAndEquals) {
  TStringList source;
  TStringList marker;
  Fill(source, {"a", "b"});
  source.SetObjects(1, &marker);
  source.SetDelimiter(';');
  PlainStrings copy;
  copy.Add("old");
  copy.Assign(&source);
  EXPECT_EQ(Items(copy), (Lines{"a", "b"}));
  EXPECT_EQ(copy.Delimiter(), ';');
  EXPECT_TRUE(copy.Equals(source));
  TStringList target;
  target.Assign(&source);
  EXPECT_EQ(target.Objects(1), &marker);
  target.AddStrings(target);
  EXPECT_EQ(Items(target), (Lines{"a", "b", "a", "b"}));
  EXPECT_FALSE(target.Equals(source));
  target.Assign(&target);
  EXPECT_EQ(target.Count(), 4);
  source.SetStrings(0, "A");
  EXPECT_FALSE(copy.Equals(source));  // case matters
  TPersistent other;
  try {
    target.Assign(&other);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a TPersistent to a TStringList.");
  }
}

TEST(StringList, LinesTravelInTheLayoutStream) {
  TLinesHolder holder(nullptr);
  holder.SetName("Memo1");
  Fill(*holder.GetLines(), {"plain",
                            "T\xC3\xBCrk\xC3\xA7"
                            "e",
                            ""});
  TMemoryStream stream;
  WriteComponentToStream(stream, &holder);
  EXPECT_NE(stream.Bytes().find("Lines.Strings"), std::string_view::npos);
  TLinesHolder back(nullptr);
  back.GetLines()->Add("replaced");
  stream.SetPosition(0);
  ReadComponentFromStream(stream, &back);
  EXPECT_TRUE(back.GetLines()->Equals(*holder.GetLines()));

  // No lines: nothing is stored.
  TLinesHolder empty(nullptr);
  TMemoryStream emptyStream;
  WriteComponentToStream(emptyStream, &empty);
  EXPECT_EQ(emptyStream.Bytes().find("Strings"), std::string_view::npos);
}

TEST(StringList, RunTimeClass) {
  TStringList list;
  EXPECT_EQ(list.ClassName(), "TStringList");
  EXPECT_TRUE(list.InheritsFrom("TStrings"));
  EXPECT_TRUE(list.InheritsFrom("tpersistent"));
  EXPECT_NE(TClassInfo::Find("TStringList"), nullptr);
}

class StringListFileTest : public ::testing::Test {
protected:
  void TearDown() override { SetSystemAnsiCodePage(cpWindows1252); }
  TempDir dir_;
};

TEST_F(StringListFileTest, SavesAndLoadsTurkishTextIn1254) {
  SetSystemAnsiCodePage(cpWindows1254);
  const std::string name = dir_.Path("programlist0.txt");
  TStringList list;
  Fill(list, {"G\xC3\xBCne\xC5\x9F,1",
              "\xC4\xB0yi ak\xC5\x9F"
              "amlar,0"});
  list.SaveToFile(name);
  EXPECT_EQ(TempDir::Read(name),
            "G\xFCne\xFE,1\r\n\xDDyi ak\xFE"
            "amlar,0\r\n");
  TStringList back;
  back.LoadFromFile(name);
  EXPECT_TRUE(back.Equals(list));
}

TEST_F(StringListFileTest, UnencodableTextLeavesTheFileAlone) {
  const std::string name = dir_.Path("messages.txt");
  TempDir::Write(name, "old\r\n");
  TStringList list;
  list.Add("ba\xC5\x9F");  // ş is not in Windows-1252
  try {
    list.SaveToFile(name);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_NE(e.Message().find("\xC5\x9F"), std::string::npos) << e.Message();
  }
  EXPECT_EQ(TempDir::Read(name), "old\r\n");
  list.SaveToFile(name, cpWindows1254);
  EXPECT_EQ(TempDir::Read(name), "ba\xFE\r\n");
}

TEST_F(StringListFileTest, LoadingHandlesEveryLineEndAndAByteOrderMark) {
  const std::string name = dir_.Path("a.txt");
  TempDir::Write(name, "one\ntwo\rthree\r\nlast");
  TStringList list;
  list.LoadFromFile(name);
  EXPECT_EQ(Items(list), (Lines{"one", "two", "three", "last"}));
  TempDir::Write(name, "\xEF\xBB\xBF\xC5\x9F\r\n");
  list.LoadFromFile(name);
  EXPECT_EQ(Items(list), Lines{"\xC5\x9F"});
  TempDir::Write(name, "\xFE\r\n");
  list.LoadFromFile(name);
  EXPECT_EQ(Items(list), Lines{"\xC3\xBE"});  // þ in the default Windows-1252
}

TEST_F(StringListFileTest, MissingFilesRaiseAndKeepTheList) {
  TStringList list;
  list.Add("kept");
  EXPECT_THROW(list.LoadFromFile(dir_.Path("missing.txt")), EFOpenError);
  EXPECT_THROW(list.SaveToFile(dir_.Path("no_dir/x.txt")), EFCreateError);
  EXPECT_EQ(Items(list), Lines{"kept"});
}

TEST(StringListStream, LoadsFromThePositionAndSavesCrLf) {
  TStringStream stream("skip|a\nb");
  stream.SetPosition(5);
  TStringList list;
  list.LoadFromStream(stream, cpWindows1252);
  EXPECT_EQ(Items(list), (Lines{"a", "b"}));
  TStringStream out;
  list.SaveToStream(out, cpUtf8);
  EXPECT_EQ(out.DataString(), "a\r\nb\r\n");
  TStringStream bad("\xFF");
  EXPECT_THROW(list.LoadFromStream(bad, cpUtf8), EConvertError);
  EXPECT_EQ(list.Count(), 2);
}
