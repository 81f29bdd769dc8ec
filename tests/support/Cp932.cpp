#include "tests/support/Cp932.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace wakorin::testsupport {
namespace {

class Converter {
 public:
  Converter() : handle_(iconv_open("CP932", "UTF-8")) {
    if (handle_ == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error("CP932 conversion is not available");
    }
  }
  ~Converter() { iconv_close(handle_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  std::string Convert(std::string_view utf8) {
    std::string in(utf8);
    std::string out(in.size() * 2 + 16, '\0');
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    while (inLeft > 0) {
      if (iconv(handle_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
        if (errno == E2BIG) {
          const std::size_t used = out.size() - outLeft;
          out.resize(out.size() * 2);
          outPtr = out.data() + used;
          outLeft = out.size() - used;
          continue;
        }
        throw std::runtime_error("text has no CP932 form: " + std::string(utf8));
      }
    }
    out.resize(out.size() - outLeft);
    return out;
  }

 private:
  iconv_t handle_;
};

}  // namespace

std::string Sjis(std::string_view utf8) {
  // A fresh descriptor per call keeps the shift state clean and the function thread-safe.
  Converter converter;
  return converter.Convert(utf8);
}

}  // namespace wakorin::testsupport
