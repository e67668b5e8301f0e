// mkpayload: the build-time generator of the installer's product description
// and payload table.
//
//   mkpayload [options] PRODUCT_INI [FILE...]
//
// Reads the product description PRODUCT_INI (format below) and the payload
// files, cuts every file into 30000-byte slices, compresses each slice into
// one zlib stream at the default level (header 0x78 0x9C) on all cores, and
// writes three files next to each other:
//
//   OUT.cpp  productInfo and payloadTable (installer/product.h), whose piece
//            references point into the symbol payloadData
//   OUT.S    assembler source that defines payloadData with .incbin OUT.bin,
//            so that even a payload of hundreds of MiB builds in seconds
//   OUT.bin  the compressed pieces, file after file, in table order
//
// plus, with --depfile, a Makefile-style list of the inputs for Ninja.
// The output depends only on the inputs: the same inputs give the same bytes.
//
// Options:
//   -o OUT            output base name (required)
//   --target T        elf (host), win32 (i686 PE: C symbols carry a leading
//                     underscore) or win64 (x86_64 PE); default elf
//   --depfile FILE    also write the dependency list
//   -j N              number of compressing threads (default: all cores)
//
// Payload files in table order: the FILE arguments, each named in the table
// by its last path component; without FILE arguments, the names of the
// "files" key of PRODUCT_INI, looked up in the directory of PRODUCT_INI. When
// both are given they must name the same files in the same order.
//
// PRODUCT_INI: lines "key=value" in the section [Product]; blank lines and
// lines starting with ';' or '#' are ignored; blanks around keys and values
// are dropped.
//   shortName      group name and default directory leaf, e.g. Brevio
//   displayName    the application's name in captions and items, e.g. Brevio Paper
//   iniFileName    the INI file that records the data directory, e.g. brevio.ini
//   offerStartup   1 to ask about the Startup group, 0 not to
//   startupPrompt  the text of that question (required when offerStartup is 1)
//   exeName        the application's executable, one of the payload files
//   startupArgs    arguments of the Startup item (may be empty)
//   files          the payload files in table order, separated by commas
//
// Every failure prints "mkpayload: NAME: reason" naming the offending file,
// exits with status 1 and leaves none of the output files behind: they are
// written under temporary names and renamed only when all is well.
#include <zlib.h>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr size_t kSliceSize = 30000;        // must match PAYLOAD_SLICE_SIZE in product.h
constexpr size_t kMaxNameLength = 100;      // product names and file names
constexpr size_t kMaxPromptLength = 512;    // the Startup question
constexpr uint64_t kMaxPayloadBytes = 1ull << 31;  // the table addresses pieces with 32-bit lengths

// Thrown for every bad input; main() prints it and cleans up.
struct Failure {
  std::string what;  // "NAME: reason"
};

[[noreturn]] void Fail(const std::string& name, const std::string& reason) { throw Failure{name + ": " + reason}; }

std::string Trim(const std::string& text) {
  size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return "";
  size_t end = text.find_last_not_of(" \t");
  return text.substr(begin, end - begin + 1);
}

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

std::string BaseName(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string DirName(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Why `name` cannot be a file name of its own in a Windows directory, or ""
// when it can.
std::string BareNameProblem(const std::string& name) {
  if (name.empty()) return "empty file name";
  if (name.size() > kMaxNameLength) return "file name longer than " + std::to_string(kMaxNameLength) + " characters";
  if (name == "." || name == "..") return "not a bare file name (\"" + name + "\" names a directory)";
  if (name.find('/') != std::string::npos || name.find('\\') != std::string::npos) {
    return "not a bare file name (it contains a path separator)";
  }
  if (name.size() >= 2 && name[1] == ':' &&
      ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'))) {
    return "not a bare file name (it starts with a drive)";
  }
  for (unsigned char c : name) {
    if (c < 0x20) return "file name contains a control character";
    if (std::strchr("<>:\"|?*", c) != nullptr) {
      return std::string("file name contains the character '") + static_cast<char>(c) + "', which Windows forbids";
    }
  }
  // Windows drops trailing dots and blanks, so the file on disk would carry
  // another name than the table.
  if (name.back() == '.' || name.back() == ' ') return "file name ends with a dot or a blank";
  // Device names, also with an extension ("nul.txt" is the device too).
  std::string stem = Lower(name.substr(0, name.find('.')));
  stem = stem.substr(0, stem.find_last_not_of(' ') + 1);
  static const char* const kDevices[] = {"con", "prn", "aux", "nul", "com1", "com2", "com3", "com4", "com5", "com6",
                                         "com7", "com8", "com9", "lpt1", "lpt2", "lpt3", "lpt4", "lpt5", "lpt6",
                                         "lpt7", "lpt8", "lpt9", "clock$"};
  for (const char* device : kDevices) {
    if (stem == device) return "file name \"" + name + "\" is reserved for a device on Windows";
  }
  return "";
}

// ---- Product description ----

struct Product {
  std::string shortName, displayName, iniFileName, startupPrompt, exeName, startupArgs;
  int32_t offerStartup = 0;
  bool hasFiles = false;
  std::vector<std::string> files;
};

Product ReadProduct(const std::string& path) {
  FILE* in = std::fopen(path.c_str(), "rb");
  if (in == nullptr) Fail(path, std::string("cannot open: ") + std::strerror(errno));
  std::string text;
  char chunk[4096];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, in)) > 0) text.append(chunk, got);
  bool readError = std::ferror(in) != 0;
  std::fclose(in);
  if (readError) Fail(path, "cannot read");
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);  // a byte-order mark that some editors write

  static const char* const kKeys[] = {"shortName",     "displayName", "iniFileName", "offerStartup",
                                      "startupPrompt", "exeName",     "startupArgs", "files"};
  std::map<std::string, std::string> values;
  bool inProduct = false;
  bool sawProduct = false;
  size_t lineNumber = 0;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::string where = path + ":" + std::to_string(lineNumber);
    line = Trim(line);
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line[0] == '[') {
      if (line.back() != ']') Fail(where, "malformed section header");
      inProduct = Lower(Trim(line.substr(1, line.size() - 2))) == "product";
      sawProduct = sawProduct || inProduct;
      continue;
    }
    size_t eq = line.find('=');
    if (eq == std::string::npos) Fail(where, "expected key=value");
    if (!inProduct) Fail(where, "key outside the [Product] section");
    std::string key = Trim(line.substr(0, eq));
    std::string value = Trim(line.substr(eq + 1));
    if (std::find_if(std::begin(kKeys), std::end(kKeys), [&](const char* k) { return key == k; }) == std::end(kKeys)) {
      Fail(where, "unknown key \"" + key + "\"");
    }
    if (!values.emplace(key, value).second) Fail(where, "key \"" + key + "\" given twice");
    for (unsigned char c : value) {
      if (c < 0x20 || c == 0x7F) Fail(where, "value of \"" + key + "\" contains a control character");
    }
  }
  if (!sawProduct) Fail(path, "no [Product] section");
  for (const char* key : kKeys) {
    if (std::string(key) != "files" && values.find(key) == values.end()) {
      Fail(path, std::string("missing key \"") + key + "\"");
    }
  }

  Product product;
  product.shortName = values["shortName"];
  product.displayName = values["displayName"];
  product.iniFileName = values["iniFileName"];
  product.startupPrompt = values["startupPrompt"];
  product.exeName = values["exeName"];
  product.startupArgs = values["startupArgs"];

  const std::string& offer = values["offerStartup"];
  if (offer != "0" && offer != "1") Fail(path, "offerStartup must be 0 or 1, not \"" + offer + "\"");
  product.offerStartup = offer == "1" ? 1 : 0;

  // The names end up in file names, window titles and Program Manager
  // commands such as [CreateGroup(Brevio)] and [AddItem(path,Brevio Paper)],
  // where these characters would end or split an argument.
  auto checkCommandText = [&](const char* key, const std::string& value) {
    size_t bad = value.find_first_of(",()[]\"");
    if (bad != std::string::npos) {
      Fail(path, std::string(key) + " contains '" + value[bad] +
                     "', which would break the Program Manager commands");
    }
  };
  auto checkLength = [&](const char* key, const std::string& value, size_t limit) {
    if (value.size() > limit) {
      Fail(path, std::string(key) + " is longer than " + std::to_string(limit) + " characters");
    }
  };
  for (auto field : {std::make_pair("shortName", &product.shortName), std::make_pair("displayName", &product.displayName),
                     std::make_pair("iniFileName", &product.iniFileName), std::make_pair("exeName", &product.exeName)}) {
    if (field.second->empty()) Fail(path, std::string(field.first) + " is empty");
    checkLength(field.first, *field.second, kMaxNameLength);
  }
  checkCommandText("shortName", product.shortName);
  checkCommandText("displayName", product.displayName);
  checkCommandText("exeName", product.exeName);
  checkCommandText("startupArgs", product.startupArgs);
  checkLength("startupArgs", product.startupArgs, kMaxNameLength);
  checkLength("startupPrompt", product.startupPrompt, kMaxPromptLength);
  if (product.offerStartup && product.startupPrompt.empty()) Fail(path, "startupPrompt is empty but offerStartup is 1");
  // shortName is the leaf of the default data directory; the other two are
  // files in a directory.
  for (auto field : {std::make_pair("shortName", &product.shortName),
                     std::make_pair("iniFileName", &product.iniFileName), std::make_pair("exeName", &product.exeName)}) {
    std::string problem = BareNameProblem(*field.second);
    if (!problem.empty()) Fail(path, std::string(field.first) + " \"" + *field.second + "\": " + problem);
  }

  auto files = values.find("files");
  if (files != values.end()) {
    product.hasFiles = true;
    const std::string& list = files->second;
    if (!Trim(list).empty()) {
      size_t start = 0;
      while (true) {
        size_t comma = list.find(',', start);
        product.files.push_back(Trim(list.substr(start, comma == std::string::npos ? std::string::npos : comma - start)));
        if (comma == std::string::npos) break;
        start = comma + 1;
      }
    }
  }
  return product;
}

// ---- Payload files and their pieces ----

// A payload file's bytes, mapped read-only from the file.
struct PayloadFile {
  std::string name;  // in the table
  std::string path;  // on this machine
  const unsigned char* bytes = nullptr;
  size_t size = 0;
  size_t firstSlice = 0;
  size_t sliceCount = 0;
};

void ReadPayloadFile(PayloadFile& file) {
  int fd = ::open(file.path.c_str(), O_RDONLY);
  if (fd < 0) Fail(file.path, std::string("cannot open: ") + std::strerror(errno));
  struct stat info;
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    Fail(file.path, "not a regular file");
  }
  file.size = static_cast<size_t>(info.st_size);
  if (file.size > 0) {
    void* map = ::mmap(nullptr, file.size, PROT_READ, MAP_PRIVATE, fd, 0);
    // Mapped, not copied: the pages come straight from the page cache, and
    // the mapping lives until the program ends.
    if (map == MAP_FAILED) {
      int error = errno;
      ::close(fd);
      Fail(file.path, std::string("cannot read: ") + std::strerror(error));
    }
    file.bytes = static_cast<const unsigned char*>(map);
  }
  ::close(fd);
}

struct Slice {
  const unsigned char* data;
  size_t length;
  std::vector<unsigned char> piece;
  bool failed = false;
};

// Compresses every slice into its own zlib stream, each thread taking the
// next slice not yet taken; where a piece lands does not depend on which
// thread made it.
void CompressSlices(std::vector<Slice>& slices, unsigned threads) {
  std::atomic<size_t> next{0};
  auto work = [&]() {
    std::vector<unsigned char> scratch(compressBound(static_cast<uLong>(kSliceSize)));
    for (size_t i = next++; i < slices.size(); i = next++) {
      Slice& slice = slices[i];
      uLongf length = static_cast<uLongf>(scratch.size());
      if (compress2(scratch.data(), &length, slice.data, static_cast<uLong>(slice.length), Z_DEFAULT_COMPRESSION) !=
          Z_OK) {
        slice.failed = true;
        continue;
      }
      slice.piece.assign(scratch.begin(), scratch.begin() + static_cast<std::ptrdiff_t>(length));
    }
  };
  threads = std::max(1u, std::min<unsigned>(threads, static_cast<unsigned>(slices.size())));
  std::vector<std::thread> pool;
  for (unsigned t = 1; t < threads; ++t) pool.emplace_back(work);
  work();
  for (std::thread& thread : pool) thread.join();
}

// ---- Output ----

// A C++ string literal of single-byte text: octal escapes of three digits
// for everything but plain printable ASCII, so no escape runs into the next
// character and "??" can never form a trigraph.
std::string CString(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\' && c != '?') {
      out += static_cast<char>(c);
    } else {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\%03o", c);
      out += escape;
    }
  }
  return out + "\"";
}

std::string AsmString(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

std::string MakeEscape(const std::string& path) {
  std::string out;
  for (char c : path) {
    if (c == ' ' || c == '#' || c == '\\') out += '\\';
    if (c == '$') out += '$';
    out += c;
  }
  return out;
}

std::string TableSource(const Product& product, const std::vector<PayloadFile>& files,
                        const std::vector<Slice>& slices, const std::string& productPath) {
  std::string out;
  out += "// Generated by mkpayload from " + BaseName(productPath) + " and " + std::to_string(files.size()) +
         " payload files: do not edit.\n"
         "// The pieces themselves are the bytes of payloadData, which the assembler\n"
         "// source next to this file takes from the .bin file.\n"
         "#include \"product.h\"\n\n"
         "extern \"C\" const unsigned char payloadData[];\n\n"
         "const ProductInfo productInfo = {\n";
  out += "    " + CString(product.shortName) + ",\n";
  out += "    " + CString(product.displayName) + ",\n";
  out += "    " + CString(product.iniFileName) + ",\n";
  out += "    " + std::to_string(product.offerStartup) + ",\n";
  out += "    " + CString(product.startupPrompt) + ",\n";
  out += "    " + CString(product.exeName) + ",\n";
  out += "    " + CString(product.startupArgs) + ",\n};\n\nnamespace {\n\n";

  uint64_t offset = 0;
  for (size_t f = 0; f < files.size(); ++f) {
    const PayloadFile& file = files[f];
    std::string pointers, lengths;
    for (size_t s = file.firstSlice; s < file.firstSlice + file.sliceCount; ++s) {
      pointers += "    payloadData + " + std::to_string(offset) + ",\n";
      lengths += "    " + std::to_string(slices[s].piece.size()) + ",\n";
      offset += slices[s].piece.size();
    }
    out += "// " + std::to_string(f) + ": " + file.name + ", " + std::to_string(file.size) + " bytes\n";
    out += "const unsigned char* const file" + std::to_string(f) + "Pieces[] = {\n" + pointers + "    nullptr,\n};\n";
    out += "const uint32_t file" + std::to_string(f) + "Lengths[] = {\n" + lengths + "    0,\n};\n\n";
  }

  std::string pointerList, lengthList, nameList, countList;
  for (size_t f = 0; f < files.size(); ++f) {
    pointerList += "    file" + std::to_string(f) + "Pieces,\n";
    lengthList += "    file" + std::to_string(f) + "Lengths,\n";
    nameList += "    " + CString(files[f].name) + ",\n";
    countList += "    " + std::to_string(files[f].sliceCount) + ",\n";
  }
  // The lists of references end with a null entry; pieceCounts needs no end
  // mark, but C++ has no empty arrays.
  if (files.empty()) countList = "    0,\n";
  out += "const unsigned char* const* const piecePointers[] = {\n" + pointerList + "    nullptr,\n};\n";
  out += "const uint32_t* const pieceLengths[] = {\n" + lengthList + "    nullptr,\n};\n";
  out += "const char* const fileNames[] = {\n" + nameList + "    nullptr,\n};\n";
  out += "const int32_t pieceCounts[] = {\n" + countList + "};\n\n}  // namespace\n\n";
  out += "const PayloadTable payloadTable = {" + std::to_string(files.size()) +
         ", piecePointers, pieceLengths, fileNames, pieceCounts};\n";
  return out;
}

std::string AsmSource(const std::string& target, const std::string& binPath, uint64_t size, uint32_t adler) {
  std::string symbol = target == "win32" ? "_payloadData" : "payloadData";
  std::string section = target == "elf" ? ".section .rodata" : ".section .rdata,\"dr\"";
  char summary[96];
  std::snprintf(summary, sizeof summary, "/* %llu bytes, Adler-32 %08x */\n", static_cast<unsigned long long>(size),
                adler);
  std::string out = "/* Generated by mkpayload: the compressed payload pieces, read-only. */\n";
  out += summary;
  out += "\t" + section + "\n\t.globl " + symbol + "\n\t.balign 4\n" + symbol + ":\n";
  out += "\t.incbin " + AsmString(binPath) + "\n";
  // A final byte, so that payloadData is a valid object also for an empty payload.
  out += "\t.byte 0\n";
  if (target == "elf") out += "\t.section .note.GNU-stack,\"\",@progbits\n";
  return out;
}

// Output files are written under temporary names and renamed into place
// only after all of them were written completely.
struct Output {
  std::string path;
  std::string temporary;
};

void WriteTemporary(Output& output, const std::vector<const std::vector<unsigned char>*>& parts) {
  output.temporary = output.path + ".tmp" + std::to_string(::getpid());
  FILE* out = std::fopen(output.temporary.c_str(), "wb");
  if (out == nullptr) Fail(output.temporary, std::string("cannot create: ") + std::strerror(errno));
  bool ok = true;
  for (const auto* part : parts) {
    if (!part->empty() && std::fwrite(part->data(), 1, part->size(), out) != part->size()) ok = false;
  }
  if (std::fclose(out) != 0) ok = false;
  if (!ok) Fail(output.temporary, "cannot write (disk full?)");
}

void WriteTemporary(Output& output, const std::string& text) {
  std::vector<unsigned char> bytes(text.begin(), text.end());
  WriteTemporary(output, {&bytes});
}

int Usage() {
  std::fprintf(stderr,
               "usage: mkpayload -o OUT [--target elf|win32|win64] [--depfile FILE] [-j N] PRODUCT_INI [FILE...]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string outBase, target = "elf", depfile, productPath;
  unsigned threads = std::thread::hardware_concurrency();
  std::vector<std::string> paths;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) {
        std::fprintf(stderr, "mkpayload: %s needs a value\n", arg.c_str());
        std::exit(Usage());
      }
      return argv[++i];
    };
    if (arg == "-o") {
      outBase = value();
    } else if (arg == "--target") {
      target = value();
    } else if (arg == "--depfile") {
      depfile = value();
    } else if (arg == "-j") {
      threads = static_cast<unsigned>(std::atoi(value().c_str()));
    } else if (arg.size() > 1 && arg[0] == '-') {
      std::fprintf(stderr, "mkpayload: unknown option %s\n", arg.c_str());
      return Usage();
    } else if (productPath.empty()) {
      productPath = arg;
    } else {
      paths.push_back(arg);
    }
  }
  if (outBase.empty() || productPath.empty() || (target != "elf" && target != "win32" && target != "win64")) {
    return Usage();
  }
  if (threads == 0) threads = 1;

  std::vector<Output> outputs = {{outBase + ".cpp", ""}, {outBase + ".S", ""}, {outBase + ".bin", ""}};
  if (!depfile.empty()) outputs.push_back({depfile, ""});
  // A failed run leaves no output at all, also none of an earlier run, so
  // that nothing stale can be linked into an installer.
  auto removeAll = [&]() {
    for (const Output& output : outputs) {
      if (!output.temporary.empty()) std::remove(output.temporary.c_str());
      std::remove(output.path.c_str());
    }
  };

  try {
    Product product = ReadProduct(productPath);

    std::vector<PayloadFile> files;
    if (!paths.empty()) {
      for (const std::string& path : paths) files.push_back({BaseName(path), path, {}, 0, 0});
      if (product.hasFiles) {
        bool same = product.files.size() == files.size();
        for (size_t i = 0; same && i < files.size(); ++i) same = product.files[i] == files[i].name;
        if (!same) Fail(productPath, "the \"files\" list does not name the files given on the command line");
      }
    } else {
      if (!product.hasFiles) Fail(productPath, "no payload files: neither a \"files\" key nor files on the command line");
      std::string dir = DirName(productPath);
      for (const std::string& name : product.files) files.push_back({name, dir + "/" + name, {}, 0, 0});
    }

    std::map<std::string, std::string> seen;  // lower-case name -> name
    for (const PayloadFile& file : files) {
      std::string problem = BareNameProblem(file.name);
      if (!problem.empty()) Fail(file.name.empty() ? file.path : file.name, problem);
      auto earlier = seen.emplace(Lower(file.name), file.name);
      if (!earlier.second) {
        Fail(file.name, "two payload files of this name (\"" + earlier.first->second +
                            "\" comes first; Windows does not tell upper from lower case)");
      }
    }
    // The installer makes program items for these two and checks neither.
    for (const std::string& needed : {product.exeName, std::string("uninst.exe")}) {
      if (seen.find(Lower(needed)) == seen.end()) {
        std::fprintf(stderr, "mkpayload: warning: %s: the payload holds no \"%s\"\n", productPath.c_str(),
                     needed.c_str());
      }
    }

    uint64_t total = 0;
    std::vector<Slice> slices;
    for (PayloadFile& file : files) {
      ReadPayloadFile(file);
      total += file.size;
      if (total > kMaxPayloadBytes) Fail(file.path, "the payload is larger than 2 GiB");
      file.firstSlice = slices.size();
      for (size_t offset = 0; offset < file.size; offset += kSliceSize) {
        slices.push_back({file.bytes + offset, std::min(kSliceSize, file.size - offset), {}, false});
      }
      file.sliceCount = slices.size() - file.firstSlice;
    }

    CompressSlices(slices, threads);
    std::vector<const std::vector<unsigned char>*> pieces;
    uint64_t compressed = 0;
    uint32_t adler = static_cast<uint32_t>(adler32(0, nullptr, 0));
    for (size_t s = 0; s < slices.size(); ++s) {
      if (slices[s].failed) {
        auto file = std::find_if(files.begin(), files.end(),
                                 [&](const PayloadFile& f) { return s >= f.firstSlice && s < f.firstSlice + f.sliceCount; });
        Fail(file->path, "zlib could not compress a slice");
      }
      pieces.push_back(&slices[s].piece);
      compressed += slices[s].piece.size();
      adler = static_cast<uint32_t>(adler32(adler, slices[s].piece.data(), static_cast<uInt>(slices[s].piece.size())));
    }
    if (compressed > kMaxPayloadBytes) Fail(productPath, "the compressed payload is larger than 2 GiB");

    WriteTemporary(outputs[0], TableSource(product, files, slices, productPath));
    char* absolute = ::realpath(DirName(outputs[2].path).c_str(), nullptr);
    if (absolute == nullptr) Fail(outputs[2].path, std::string("cannot resolve the directory: ") + std::strerror(errno));
    std::string binPath = std::string(absolute) + "/" + BaseName(outputs[2].path);
    std::free(absolute);
    WriteTemporary(outputs[1], AsmSource(target, binPath, compressed, adler));
    WriteTemporary(outputs[2], pieces);
    if (!depfile.empty()) {
      std::string deps = MakeEscape(outputs[0].path) + " " + MakeEscape(outputs[1].path) + " " +
                         MakeEscape(outputs[2].path) + ": " + MakeEscape(productPath);
      for (const PayloadFile& file : files) deps += " \\\n  " + MakeEscape(file.path);
      WriteTemporary(outputs[3], deps + "\n");
    }
    for (Output& output : outputs) {
      if (std::rename(output.temporary.c_str(), output.path.c_str()) != 0) {
        Fail(output.path, std::string("cannot rename into place: ") + std::strerror(errno));
      }
      output.temporary.clear();
    }
  } catch (const Failure& failure) {
    std::fprintf(stderr, "mkpayload: %s\n", failure.what.c_str());
    removeAll();
    return 1;
  }
  return 0;
}
