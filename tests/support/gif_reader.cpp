#include "gif_reader.h"

#include <gif_lib.h>

#include <cstddef>
#include <cstring>

namespace {

// The loop count of the NETSCAPE2.0 application extension among `blocks`, or -1.
int loopCount(const ExtensionBlock* blocks, int count) {
  for (int i = 0; i + 1 < count; ++i) {
    if (blocks[i].Function == APPLICATION_EXT_FUNC_CODE && blocks[i].ByteCount == 11 &&
        std::memcmp(blocks[i].Bytes, "NETSCAPE2.0", 11) == 0 && blocks[i + 1].ByteCount >= 3) {
      return blocks[i + 1].Bytes[1] | blocks[i + 1].Bytes[2] << 8;
    }
  }
  return -1;
}

std::string comment(const SavedImage& image) {
  for (int i = 0; i < image.ExtensionBlockCount; ++i) {
    const ExtensionBlock& b = image.ExtensionBlocks[i];
    if (b.Function == COMMENT_EXT_FUNC_CODE) {
      return std::string(reinterpret_cast<const char*>(b.Bytes),
                         static_cast<std::size_t>(b.ByteCount));
    }
  }
  return "";
}

}  // namespace

DecodedGif readGif(const std::string& path) {
  DecodedGif out;
  int error = 0;
  GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
  if (gif == nullptr) {
    out.error = "cannot open " + path + ": " + GifErrorString(error);
    return out;
  }
  if (DGifSlurp(gif) != GIF_OK) {
    out.error = "cannot read " + path + ": " + GifErrorString(gif->Error);
    DGifCloseFile(gif, &error);
    return out;
  }
  Image canvas;
  canvas.width = gif->SWidth;
  canvas.height = gif->SHeight;
  canvas.rgb.assign(3 * static_cast<std::size_t>(canvas.width) * canvas.height, 0);
  for (int n = 0; n < gif->ImageCount && out.error.empty(); ++n) {
    const SavedImage& image = gif->SavedImages[n];
    if (n == 0) out.loops = loopCount(image.ExtensionBlocks, image.ExtensionBlockCount);
    GraphicsControlBlock control{};
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    DGifSavedExtensionToGCB(gif, n, &control);
    if (control.DisposalMode != DISPOSE_DO_NOT && control.DisposalMode != DISPOSAL_UNSPECIFIED) {
      out.error = "frame " + std::to_string(n) + " asks for a disposal this reader does not do";
    }
    const GifImageDesc& d = image.ImageDesc;
    const ColorMapObject* map = d.ColorMap != nullptr ? d.ColorMap : gif->SColorMap;
    for (int y = 0; y < d.Height; ++y) {
      for (int x = 0; x < d.Width; ++x) {
        const int index = image.RasterBits[static_cast<std::size_t>(y) * d.Width + x];
        if (index == control.TransparentColor) continue;
        const GifColorType c = map->Colors[index];
        unsigned char* p =
            &canvas.rgb[3 * (static_cast<std::size_t>(d.Top + y) * canvas.width + d.Left + x)];
        p[0] = c.Red;
        p[1] = c.Green;
        p[2] = c.Blue;
      }
    }
    out.frames.push_back(canvas);
    out.notes.push_back(comment(image));
    out.delays.push_back(control.DelayTime);
  }
  DGifCloseFile(gif, &error);
  return out;
}
