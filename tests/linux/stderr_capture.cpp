#include "stderr_capture.h"

#include <stdio.h>
#include <unistd.h>

#include <stdexcept>

namespace kelvado::test {

StderrCapture::StderrCapture() : saved_(dup(STDERR_FILENO)) {
  FILE* file = tmpfile();
  if (file == nullptr || saved_ < 0) throw std::runtime_error("cannot capture stderr");
  file_ = dup(fileno(file));
  fclose(file);
  fflush(stderr);
  dup2(file_, STDERR_FILENO);
}

StderrCapture::~StderrCapture() {
  fflush(stderr);
  dup2(saved_, STDERR_FILENO);
  close(saved_);
  close(file_);
}

std::string StderrCapture::text() const {
  fflush(stderr);
  std::string text;
  char buffer[4096];
  ssize_t size;
  off_t offset = 0;
  while ((size = pread(file_, buffer, sizeof buffer, offset)) > 0) {
    text.append(buffer, static_cast<size_t>(size));
    offset += size;
  }
  return text;
}

}  // namespace kelvado::test
