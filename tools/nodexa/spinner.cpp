#include "spinner.h"

#include <utility>

#include "terminal.h"

namespace nodexa::cli {

namespace {

constexpr char kFrames[] = {'|', '/', '-', '\\'};

}  // namespace

Spinner::Spinner(std::FILE* output, bool enabled, std::string label,
                 std::chrono::milliseconds interval)
    : out(output), text(std::move(label)), period(interval) {
  if (enabled && out != nullptr) {
    ClearOnInterrupt("\r" + std::string(text.size() + 2, ' ') + "\r");
    worker = std::thread(&Spinner::Run, this);
  }
}

Spinner::~Spinner() {
  if (!worker.joinable()) return;
  {
    const std::lock_guard<std::mutex> lock(mutex);
    stopping = true;
  }
  wake.notify_one();
  worker.join();
  ClearOnInterrupt("");
  if (!drawn) return;
  // Blank out the frame, the blank after it and the label.
  std::fprintf(out, "\r%*s\r", static_cast<int>(text.size() + 2), "");
  std::fflush(out);
}

void Spinner::Draw(size_t frame) {
  std::fprintf(out, "\r%c %s", kFrames[frame % sizeof kFrames], text.c_str());
  std::fflush(out);
  drawn = true;
}

void Spinner::Run() {
  std::unique_lock<std::mutex> lock(mutex);
  for (size_t frame = 0; !stopping; ++frame) {
    Draw(frame);
    wake.wait_for(lock, period, [this] { return stopping; });
  }
}

}  // namespace nodexa::cli
