#include "gif_file.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <unordered_map>

#include "atomic_file.h"

namespace {

std::uint32_t key(Rgb c) {
  return static_cast<std::uint32_t>(c.r) << 16 | static_cast<std::uint32_t>(c.g) << 8 |
         static_cast<std::uint32_t>(c.b);
}

// The frames' colours, each with its palette index, in order of first appearance; false as
// soon as there are more than kGifColours.
bool collectColours(const std::vector<Image>& frames, std::vector<Rgb>* colours,
                    std::unordered_map<std::uint32_t, GifPixelType>* index) {
  for (const Image& frame : frames) {
    for (int y = 0; y < frame.height; ++y) {
      for (int x = 0; x < frame.width; ++x) {
        const Rgb c = frame.at(x, y);
        if (index->count(key(c)) != 0) continue;
        if (colours->size() == kGifColours) return false;
        index->emplace(key(c), static_cast<GifPixelType>(colours->size()));
        colours->push_back(c);
      }
    }
  }
  return true;
}

int writeToFile(GifFileType* gif, const GifByteType* data, int length) {
  return static_cast<int>(std::fwrite(data, 1, static_cast<std::size_t>(length),
                                      static_cast<std::FILE*>(gif->UserData)));
}

// The smallest box holding every pixel in which `now` differs from `before`; 1 x 1 at the
// corner when none does (a GIF frame cannot be empty).
struct Box {
  int left, top, width, height;
};
Box changedBox(const Image& before, const Image& now) {
  int left = now.width, top = now.height, right = -1, bottom = -1;
  for (int y = 0; y < now.height; ++y) {
    for (int x = 0; x < now.width; ++x) {
      if (key(before.at(x, y)) == key(now.at(x, y))) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  if (right < 0) return {0, 0, 1, 1};
  return {left, top, right - left + 1, bottom - top + 1};
}

class Encoder {
 public:
  Encoder(std::FILE* file, int* error) : gif_(EGifOpen(file, writeToFile, error)) {}
  ~Encoder() {
    if (gif_ != nullptr) EGifCloseFile(gif_, nullptr);
  }
  Encoder(const Encoder&) = delete;
  Encoder& operator=(const Encoder&) = delete;

  bool open() const { return gif_ != nullptr; }
  int error() const { return gif_->Error; }

  bool header(int width, int height, const std::vector<Rgb>& colours, std::size_t entries) {
    int size = 2;
    while (static_cast<std::size_t>(size) < entries) size *= 2;
    ColorMapObject* map = GifMakeMapObject(size, nullptr);
    if (map == nullptr) return false;
    for (std::size_t i = 0; i < colours.size(); ++i) {
      map->Colors[i] = {static_cast<GifByteType>(colours[i].r),
                        static_cast<GifByteType>(colours[i].g),
                        static_cast<GifByteType>(colours[i].b)};
    }
    EGifSetGifVersion(gif_, true);
    const bool ok = EGifPutScreenDesc(gif_, width, height, 8, 0, map) == GIF_OK;
    GifFreeMapObject(map);
    // The application extension that makes viewers play the animation in a loop, forever.
    static const GifByteType kLoop[] = {1, 0, 0};
    return ok && EGifPutExtensionLeader(gif_, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
           EGifPutExtensionBlock(gif_, 11, "NETSCAPE2.0") == GIF_OK &&
           EGifPutExtensionBlock(gif_, sizeof kLoop, kLoop) == GIF_OK &&
           EGifPutExtensionTrailer(gif_) == GIF_OK;
  }

  // One frame: the pixels of `box`, where those equal to `before` (when given) are left
  // transparent so that the frame before shows through.
  bool frame(const Image& now, const Image* before, Box box, int transparent,
             const std::unordered_map<std::uint32_t, GifPixelType>& index, const std::string& note,
             int delay) {
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.DelayTime = delay;
    control.TransparentColor = before != nullptr ? transparent : NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    EGifGCBToExtension(&control, extension);
    if ((!note.empty() && EGifPutComment(gif_, note.c_str()) != GIF_OK) ||
        EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, sizeof extension, extension) != GIF_OK ||
        EGifPutImageDesc(gif_, box.left, box.top, box.width, box.height, false, nullptr) !=
            GIF_OK) {
      return false;
    }
    std::vector<GifPixelType> row(static_cast<std::size_t>(box.width));
    for (int y = box.top; y < box.top + box.height; ++y) {
      for (int x = box.left; x < box.left + box.width; ++x) {
        const Rgb c = now.at(x, y);
        const bool unchanged = before != nullptr && transparent != NO_TRANSPARENT_COLOR &&
                               key(before->at(x, y)) == key(c);
        row[x - box.left] = unchanged ? static_cast<GifPixelType>(transparent) : index.at(key(c));
      }
      if (EGifPutLine(gif_, row.data(), box.width) != GIF_OK) return false;
    }
    return true;
  }

  // Writes the trailer; false if that or anything before failed.
  bool close(int* error) {
    const bool ok = EGifCloseFile(gif_, error) == GIF_OK;
    gif_ = nullptr;
    return ok;
  }

 private:
  GifFileType* gif_;
};

}  // namespace

std::string writeGif(const Animation& animation, const std::string& path) {
  const std::vector<Image>& frames = animation.frames;
  if (frames.empty()) return "cannot write " + path + ": no frames";
  std::vector<Rgb> colours;
  std::unordered_map<std::uint32_t, GifPixelType> index;
  if (!collectColours(frames, &colours, &index)) {
    return "cannot write " + path + ": the frames have more than " + std::to_string(kGifColours) +
           " colours, and a GIF of them would not be exact";
  }
  // A spare palette entry, if there is one, marks the pixels a frame leaves unchanged.
  const int transparent =
      colours.size() < kGifColours ? static_cast<int>(colours.size()) : NO_TRANSPARENT_COLOR;

  return writeAtomically(path, [&](std::FILE* file) -> std::string {
    int error = 0;
    Encoder gif(file, &error);
    auto failed = [&](int code) {
      return "cannot write " + path + ": " + (GifErrorString(code) ? GifErrorString(code) : "?");
    };
    if (!gif.open()) return failed(error);
    const std::size_t entries = colours.size() + (transparent == NO_TRANSPARENT_COLOR ? 0 : 1);
    bool ok = gif.header(frames[0].width, frames[0].height, colours, entries);
    for (std::size_t i = 0; ok && i < frames.size(); ++i) {
      const Image* before = i == 0 ? nullptr : &frames[i - 1];
      const Box box = before == nullptr ? Box{0, 0, frames[i].width, frames[i].height}
                                        : changedBox(*before, frames[i]);
      const std::string note = i < animation.notes.size() ? animation.notes[i] : "";
      ok = gif.frame(frames[i], before, box, transparent, index, note, animation.delayCentiseconds);
    }
    const int code = ok ? 0 : gif.error();
    if (!gif.close(&error) && ok) return failed(error);
    return ok ? "" : failed(code);
  });
}
