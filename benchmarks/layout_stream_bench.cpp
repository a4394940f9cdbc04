// Speed of the layout stream: writing and reading a form of 300 components with properties of
// every kind (the test classes), and converting its binary form to text and back. Prints
// forms per second and MB/s of binary stream, best of several runs in thread CPU time.
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <string>

#include "toolkit/core/object_test_classes.h"
#include "toolkit/core/layout_text.h"
#include "toolkit/core/reader.h"
#include "toolkit/core/streams.h"
#include "toolkit/core/writer.h"

namespace {

double ThreadSeconds() {
  timespec t;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double Best(const std::function<void()>& run, int repeats) {
  double best = 1e9;
  for (int r = 0; r < 5; ++r) {
    double start = ThreadSeconds();
    for (int i = 0; i < repeats; ++i) run();
    best = std::min(best, (ThreadSeconds() - start) / repeats);
  }
  return best;
}

std::unique_ptr<TTestForm> BigForm() {
  auto form = MakeGoldenForm();
  auto* source = static_cast<TTestWidget*>(form->FindComponent("Widget1"));
  for (int i = 0; i < 298; ++i) {
    auto* w = new TTestWidget(form.get());
    w->SetName("Extra" + std::to_string(i));
    w->Caption = "Caption of widget " + std::to_string(i);
    w->Count = i * 37;
    w->GetFont()->Name = "MS Sans Serif";
    w->GetLines()->Assign(source->GetLines());
    w->GetItems()->Assign(source->GetItems());
    w->SetBuddy(source);
    SetMethodProp(w, "OnClick", TMethod{form.get(), "Button1Click", {}});
  }
  return form;
}

void Report(const char* what, double seconds, std::size_t bytes) {
  std::printf("%-22s %9.0f forms/s  %7.1f MB/s\n", what, 1.0 / seconds, static_cast<double>(bytes) / seconds / 1e6);
}

}  // namespace

int main() {
  auto form = BigForm();
  TMemoryStream out;
  WriteComponentToStream(out, form.get());
  std::string binary(out.Bytes());
  std::string text = ObjectBinaryToText(binary);
  std::printf("form of %d components: %zu bytes binary, %zu bytes text\n", form->ComponentCount(), binary.size(),
              text.size());

  Report("write",
         Best(
             [&] {
               TMemoryStream s;
               WriteComponentToStream(s, form.get());
             },
             50),
         binary.size());
  Report("read (create all)",
         Best(
             [&] {
               TTestForm copy(nullptr);
               TBufferStream s(binary);
               ReadComponentFromStream(s, &copy);
             },
             50),
         binary.size());
  Report("binary to text", Best([&] { ObjectBinaryToText(binary); }, 50), binary.size());
  Report("text to binary", Best([&] { ObjectTextToBinary(text); }, 50), binary.size());
}
