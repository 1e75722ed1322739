// Throughput of the XML reader on the language file and on a large
// generated document in UTF-8 and UTF-16, next to pugixml on the same files
// when it is available; the cost of filling the label table; and how the
// reader scales on hostile nesting (it must stay linear).

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "text/LabelTable.h"
#include "text/XmlNavigator.h"

#ifdef VN24G_HAVE_PUGIXML
#include <pugixml.hpp>
#endif

#ifdef _WIN32
#include <process.h>
#define VN24G_BENCH_PID _getpid
#else
#include <unistd.h>
#define VN24G_BENCH_PID getpid
#endif

namespace {

namespace fs = std::filesystem;

constexpr size_t kLargeDocumentBytes = 10u << 20;

// Benchmark inputs live in one folder for the run and are removed at exit.
class BenchFiles {
 public:
  BenchFiles() {
    folder_ = fs::temp_directory_path() / ("vn24g-xml-bench-" + std::to_string(VN24G_BENCH_PID()));
    fs::create_directories(folder_);
  }
  ~BenchFiles() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  fs::path Write(const std::string& name, const std::string& bytes) const {
    const fs::path path = folder_ / name;
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
  }

 private:
  fs::path folder_;
};

BenchFiles& Files() {
  static BenchFiles files;
  return files;
}

// The shape of the shipped language file: one section with every key.
std::string GeneratedLanguageFile() {
  std::string text = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<language>\n<config>\n";
  for (std::string_view key : LabelTable::Keys())
    text += "  <" + std::string(key) + ">Text of " + std::string(key) + "</" + std::string(key) + ">\n";
  text += "</config>\n</language>\n";
  return text;
}

const fs::path& LanguageFile() {
  static const fs::path path = [] {
    const fs::path shipped = fs::path(VN24G_SHIPPED_DATA_DIR) / "language.xml";
    return fs::exists(shipped) ? shipped : Files().Write("language.xml", GeneratedLanguageFile());
  }();
  return path;
}

// About 10 MB of records with attributes in both quote styles, references,
// CDATA, comments and nesting.
std::string LargeDocument() {
  std::string text = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<catalogue version=\"2\">\n";
  for (int n = 0; text.size() < kLargeDocumentBytes; ++n) {
    const std::string id = std::to_string(n);
    text += "  <device id=\"" + id + "\" name='Model &amp; " + id + "' kind=\"mouse\">\n";
    text += "    <!-- buttons of model " + id + " -->\n";
    text += "    <button code=\"5\" pos=\"10,20,30,40\" tip=\"Fourth &lt;button&gt;\">Copy &#169; text</button>\n";
    text += "    <button code=\"6\" pos='50, 60, 70, 80' tip=\"Caf\xC3\xA9 &eacute;\"/>\n";
    text += "    <group><item a=\"1\"/><item a=\"2\">x &#x1F600; y</item><note><![CDATA[<raw> & text]]></note></group>\n";
    text += "  </device>\n";
  }
  text += "</catalogue>\n";
  return text;
}

// The same document as UTF-16LE with its byte-order mark.
std::string ToUtf16(const std::string& utf8) {
  std::string out = "\xFF\xFE";
  out.reserve(utf8.size() * 2 + 2);
  for (size_t i = 0; i < utf8.size();) {
    const unsigned char lead = static_cast<unsigned char>(utf8[i]);
    uint32_t code = lead;
    size_t length = 1;
    if (lead >= 0xF0) {
      code = lead & 0x07;
      length = 4;
    } else if (lead >= 0xE0) {
      code = lead & 0x0F;
      length = 3;
    } else if (lead >= 0xC0) {
      code = lead & 0x1F;
      length = 2;
    }
    for (size_t k = 1; k < length; ++k) code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    i += length;
    auto put = [&out](uint32_t unit) {
      out.push_back(static_cast<char>(unit & 0xFF));
      out.push_back(static_cast<char>(unit >> 8));
    };
    if (code >= 0x10000) {
      put(0xD800 + ((code - 0x10000) >> 10));
      put(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      put(code);
    }
  }
  return out;
}

const fs::path& LargeUtf8File() {
  static const fs::path path = Files().Write("large-utf8.xml", LargeDocument());
  return path;
}

const fs::path& LargeUtf16File() {
  static const fs::path path = Files().Write("large-utf16.xml", ToUtf16(LargeDocument()));
  return path;
}

void LoadWithNavigator(benchmark::State& state, const fs::path& file) {
  const std::u16string path = file.u16string();
  const auto bytes = static_cast<int64_t>(fs::file_size(file));
  for (auto _ : state) {
    CXmlNavigator xml;
    const bool wellFormed = xml.LoadFile(path);
    benchmark::DoNotOptimize(wellFormed);
    if (!wellFormed) state.SkipWithError("document not well formed");
  }
  state.SetBytesProcessed(state.iterations() * bytes);
}

void BM_Navigator_LanguageFile(benchmark::State& state) { LoadWithNavigator(state, LanguageFile()); }
void BM_Navigator_Large_Utf8(benchmark::State& state) { LoadWithNavigator(state, LargeUtf8File()); }
void BM_Navigator_Large_Utf16(benchmark::State& state) { LoadWithNavigator(state, LargeUtf16File()); }
BENCHMARK(BM_Navigator_LanguageFile);
BENCHMARK(BM_Navigator_Large_Utf8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Navigator_Large_Utf16)->Unit(benchmark::kMillisecond);

#ifdef VN24G_HAVE_PUGIXML
void LoadWithPugixml(benchmark::State& state, const fs::path& file) {
  const std::string path = file.string();
  const auto bytes = static_cast<int64_t>(fs::file_size(file));
  for (auto _ : state) {
    pugi::xml_document document;
    const pugi::xml_parse_result result = document.load_file(path.c_str());
    benchmark::DoNotOptimize(result.status);
    if (!result) state.SkipWithError("pugixml refused the document");
  }
  state.SetBytesProcessed(state.iterations() * bytes);
}

void BM_Pugixml_LanguageFile(benchmark::State& state) { LoadWithPugixml(state, LanguageFile()); }
void BM_Pugixml_Large_Utf8(benchmark::State& state) { LoadWithPugixml(state, LargeUtf8File()); }
void BM_Pugixml_Large_Utf16(benchmark::State& state) { LoadWithPugixml(state, LargeUtf16File()); }
BENCHMARK(BM_Pugixml_LanguageFile);
BENCHMARK(BM_Pugixml_Large_Utf8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pugixml_Large_Utf16)->Unit(benchmark::kMillisecond);
#endif

// What start-up pays: read the language file and look up all 153 labels.
void BM_LoadLanguage_AllLabels(benchmark::State& state) {
  const std::u16string path = LanguageFile().u16string();
  for (auto _ : state) {
    LoadLanguage(path);
    benchmark::DoNotOptimize(LabelTable::Instance().At(0).data());
  }
  if (Label("tc_ok").empty()) state.SkipWithError("the language file gave no text for tc_ok");
  LabelTable::Instance().Clear();
}
BENCHMARK(BM_LoadLanguage_AllLabels)->Unit(benchmark::kMicrosecond);

// Hostile shapes, each with N levels: stray end tags deep inside nesting,
// elements that are never closed, and the two mixed. Time must grow in
// proportion to N.
std::string Repeat(const std::string& piece, int64_t count) {
  std::string out;
  out.reserve(piece.size() * static_cast<size_t>(count));
  for (int64_t i = 0; i < count; ++i) out += piece;
  return out;
}

void LoadHostile(benchmark::State& state, const std::string& document) {
  for (auto _ : state) {
    CXmlNavigator xml;
    benchmark::DoNotOptimize(xml.LoadBytes(reinterpret_cast<const uint8_t*>(document.data()), document.size()));
  }
  state.SetComplexityN(state.range(0));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(document.size()));
}

void BM_Hostile_StrayEndTagsInDeepNesting(benchmark::State& state) {
  const int64_t n = state.range(0);
  LoadHostile(state, Repeat("<a>", n) + Repeat("</x>", n) + Repeat("</a>", n));
}
void BM_Hostile_NeverClosed(benchmark::State& state) {
  const int64_t n = state.range(0);
  LoadHostile(state, Repeat("<a><b/>", n) + "</a>");
}
void BM_Hostile_UnendedInsideClosed(benchmark::State& state) {
  const int64_t n = state.range(0);
  LoadHostile(state, Repeat("<r><c/>", n) + Repeat("<u><c/>", n) + Repeat("</r>", n));
}
BENCHMARK(BM_Hostile_StrayEndTagsInDeepNesting)->RangeMultiplier(4)->Range(1 << 10, 1 << 18)->Complexity();
BENCHMARK(BM_Hostile_NeverClosed)->RangeMultiplier(4)->Range(1 << 10, 1 << 18)->Complexity();
BENCHMARK(BM_Hostile_UnendedInsideClosed)->RangeMultiplier(4)->Range(1 << 10, 1 << 18)->Complexity();

}  // namespace
