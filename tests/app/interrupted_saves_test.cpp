// Saves that survive a kill: the real vesperin.exe, in a program directory of its own, is
// driven from outside through bursts of saves (adding messages to a large message file, or
// adding programs, each of which writes a new message file and the program list) and killed
// at a random moment, a hundred times over. After every kill each file must hold exactly what
// one of the saves wrote, or what was there before: never a mixture, an empty file or a cut.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <filesystem>
#include <mutex>
#include <random>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "program_process.h"
#include "test_program_directory.h"
#include "toolkit/core/utf8.h"

using namespace quillimo::test;

namespace {

constexpr wchar_t kCaption[] = L"Quillimo v 1.1";
constexpr int kRounds = 100;
constexpr int kBurst = 1000;      // adds at most per round: in practice, until the kill
constexpr int kMaxDelayMs = 150;  // the kill comes this long at most after the burst starts
constexpr int kStartLines = 200;

std::string Line(const std::string& text) { return text + ",1\r\n"; }

// The adding half of the Programs tab: an edit box and its button.
struct Adder {
  HWND edit = nullptr;
  HWND button = nullptr;
};

Adder FindAdder(HWND window, const wchar_t* caption) {
  Adder adder;
  adder.button = ChildWithText(window, L"Button", caption);
  if (adder.button) adder.edit = FindWindowExW(GetParent(adder.button), nullptr, L"Edit", nullptr);
  return adder;
}

// Types text into the edit box and presses the button, waiting for the command to end; false
// when the program is gone.
bool Add(const Adder& adder, const std::string& text) {
  DWORD_PTR result = 0;
  const std::wstring wide = Utf8ToWide(text);
  return SendMessageTimeoutW(adder.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()), SMTO_ABORTIFHUNG, 10000,
                             &result) != 0 &&
         SendMessageTimeoutW(adder.button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 10000, &result) != 0;
}

// The number of texts, 0 to texts.size(), whose lines behind `before` make up `content`; -1
// when content is no such state.
int SavedCount(const std::string& content, const std::string& before, const std::vector<std::string>& texts) {
  std::string expected = before;
  for (std::size_t n = 0;; ++n) {
    if (content == expected) return static_cast<int>(n);
    if (n == texts.size() || content.size() < expected.size()) return -1;
    expected += Line(texts[n]);
  }
}

// A program directory with a copy of vesperin.exe and a catalogue of one large program.
class Lane {
public:
  explicit Lane(const std::string& name) : dir_(name) {
    ready = CopyFileW(L"" QUILLIMO_VESPERIN_EXE, Utf8ToWide(dir_.File("vesperin.exe")).c_str(), FALSE) != 0;
    std::string messages;
    for (int i = 0; i < kStartLines; ++i)
      messages += Line("Her gun her sekilde daha iyiye gidiyorum, satir " + std::to_string(i));
    dir_.Write("programlist0.txt", Line("Buyuk"));
    dir_.Write("language0\\Buyuk.txt", messages);
  }

  // Runs rounds of start, burst and kill, checking the files after each kill.
  void Run(int firstRound, int rounds, unsigned seed);

  bool ready = false;  // the program is in place
  int kills = 0, saves = 0, killedWithinTheBurst = 0;

  // Files that a save killed halfway left behind: "<file>.<process>-<count>.tmp".
  int Leftovers() const {
    static const std::regex temporary(R"(.+\.txt\.[0-9a-f]+-[0-9a-f]+\.tmp)");
    int count = 0;
    for (const char* folder : {"", "language0"})
      for (const auto& entry : std::filesystem::directory_iterator(Utf8ToWide(dir_.File(folder))))
        count += std::regex_match(WideToUtf8(entry.path().filename().wstring()), temporary);
    return count;
  }

private:
  // One round; false when it could not be carried out.
  bool Round(int round, int delayMs);

  TestProgramDirectory dir_;
};

void Lane::Run(int firstRound, int rounds, unsigned seed) {
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> delay(0, kMaxDelayMs);
  for (int round = firstRound; round < firstRound + rounds; ++round)
    if (!Round(round, delay(random))) return;
}

bool Lane::Round(int round, int delayMs) {
  SCOPED_TRACE("round " + std::to_string(round));
  const bool addingPrograms = round % 3 == 2;
  const std::string programsBefore = dir_.Read("programlist0.txt");
  const std::string messagesBefore = dir_.Read("language0\\Buyuk.txt");

  ProgramProcess program(Utf8ToWide(dir_.File("vesperin.exe")));
  HWND window = program.Started() ? program.WaitForWindow(kCaption, 20000) : nullptr;
  const Adder adder = window ? FindAdder(window, addingPrograms ? L"Yeni Program Ekle" : L"Yeni Mesaj Ekle") : Adder{};
  if (!adder.edit || !adder.button) {
    const DWORD code = program.Started() ? program.WaitForExit(0) : 0;
    ADD_FAILURE() << "the program did not start: "
                  << (!program.Started()     ? std::string("it could not be created")
                      : code != STILL_ACTIVE ? "it ended with code " + std::to_string(code)
                      : window               ? std::string("its window has no adder")
                                             : std::string("no window within 20 s"));
    return false;
  }

  // The burst runs on a thread of its own, so that the kill finds the program wherever the
  // saves have brought it. `texts` holds every text typed, the one whose command the kill
  // may have cut short among them.
  std::vector<std::string> texts;
  std::mutex textsLock;
  std::atomic<bool> burstOver{false};
  std::thread burst([&] {
    for (int k = 0; k < kBurst; ++k) {
      const std::string text =
          (addingPrograms ? "Program " : "Kesinti ") + std::to_string(round) + "-" + std::to_string(k);
      {
        std::lock_guard<std::mutex> hold(textsLock);
        texts.push_back(text);
      }
      if (!Add(adder, text)) break;
    }
    burstOver = true;
  });
  Sleep(static_cast<DWORD>(delayMs));
  killedWithinTheBurst += !burstOver;
  program.Kill();
  ++kills;
  burst.join();

  const std::string programs = dir_.Read("programlist0.txt");
  const std::string messages = dir_.Read("language0\\Buyuk.txt");
  if (addingPrograms) {
    EXPECT_EQ(messages, messagesBefore);
    const int listed = SavedCount(programs, programsBefore, texts);
    if (listed < 0) {
      ADD_FAILURE() << "program list neither old nor new:\n" << programs;
      return false;
    }
    // Each new program's message file is written, empty, before the list that names it:
    // the ones listed have theirs, the next one may, no later one has.
    for (int i = 0; i < static_cast<int>(texts.size()); ++i) {
      const std::string file = "language0\\" + texts[i] + ".txt";
      if (i < listed) EXPECT_TRUE(dir_.Exists(file)) << file;
      if (i > listed) EXPECT_FALSE(dir_.Exists(file)) << file;
      EXPECT_EQ(dir_.Read(file), "") << file;
    }
    saves += 2 * listed;
  } else {
    EXPECT_EQ(programs, programsBefore);
    const int saved = SavedCount(messages, messagesBefore, texts);
    if (saved < 0) {
      ADD_FAILURE() << "message file neither old nor new: " << messages.size() << " bytes, " << messagesBefore.size()
                    << " before";
      return false;
    }
    saves += saved;
  }
  return true;
}

// Two directories side by side, fifty kills each, so that one program starts while the
// other is being driven.
TEST(InterruptedSaves, EveryFileHoldsTheOldContentOrTheNewAfterAHundredKills) {
  const unsigned seed = std::random_device()();
  Lane lanes[2] = {Lane("interrupted_saves_a"), Lane("interrupted_saves_b")};
  ASSERT_TRUE(lanes[0].ready && lanes[1].ready);
  const ULONGLONG start = GetTickCount64();
  std::thread second([&] { lanes[1].Run(kRounds / 2, kRounds / 2, seed + 1); });
  lanes[0].Run(0, kRounds / 2, seed);
  second.join();

  const int kills = lanes[0].kills + lanes[1].kills;
  const int during = lanes[0].killedWithinTheBurst + lanes[1].killedWithinTheBurst;
  std::printf(
      "%d kills in %.1f s, %d of them during a burst of saves; %d saves completed; "
      "%d temporary files left behind\n",
      kills, (GetTickCount64() - start) / 1000.0, during, lanes[0].saves + lanes[1].saves,
      lanes[0].Leftovers() + lanes[1].Leftovers());
  EXPECT_EQ(kills, kRounds);
  EXPECT_GT(during, kRounds / 2);
}

}  // namespace
