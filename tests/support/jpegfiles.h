#pragma once
// JPEG files made where a test needs them: a grey picture of any size encoded with libjpeg, and
// hostile files edited from one (a frame header claiming another size, scans repeated).

#include <cstdlib>
#include <string>
#include <vector>

// jpeglib.h needs size_t and FILE declared before it.
// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

// A picture whose shade climbs along each row and down the picture, baseline or progressive, in
// grey (1 channel) or in 3 colour channels, each at full resolution: the most coefficients a
// three-channel picture gives libjpeg to keep. Memory is one row, whatever the size.
inline std::string EncodeJpeg(int width, int height, bool progressive = false, int channels = 1) {
  jpeg_compress_struct info;
  jpeg_error_mgr error;
  info.err = jpeg_std_error(&error);
  jpeg_create_compress(&info);
  unsigned char* bytes = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &bytes, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = channels;
  info.in_color_space = channels == 3 ? JCS_RGB : JCS_GRAYSCALE;
  jpeg_set_defaults(&info);
  for (int c = 0; c < info.num_components; ++c)
    info.comp_info[c].h_samp_factor = info.comp_info[c].v_samp_factor = 1;
  if (progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> row(static_cast<size_t>(width) * channels);
  while (info.next_scanline < info.image_height) {
    for (size_t i = 0; i < row.size(); ++i)
      row[i] = static_cast<JSAMPLE>((i / channels + info.next_scanline) / 16);
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  std::string file(reinterpret_cast<const char*>(bytes), size);
  jpeg_destroy_compress(&info);
  std::free(bytes);
  return file;
}

// The file with its frame header claiming width x height; its scans still hold the pixels of
// the size it was made with.
inline std::string WithClaimedSize(std::string jpeg, int width, int height) {
  for (size_t at = 2; at + 9 < jpeg.size();) {
    const auto marker = static_cast<unsigned char>(jpeg[at + 1]);
    if (marker == 0xC0 || marker == 0xC2) {
      jpeg[at + 5] = static_cast<char>(height >> 8), jpeg[at + 6] = static_cast<char>(height);
      jpeg[at + 7] = static_cast<char>(width >> 8), jpeg[at + 8] = static_cast<char>(width);
      break;
    }
    at += 2 + (static_cast<unsigned char>(jpeg[at + 2]) << 8 |
               static_cast<unsigned char>(jpeg[at + 3]));
  }
  return jpeg;
}

// The file with its last scan repeated until it has `scans` scans.
inline std::string WithScans(const std::string& jpeg, int scans) {
  // Entropy-coded data never holds the two bytes of a scan header, byte stuffing sees to that.
  int count = 0;
  for (size_t at = jpeg.find("\xFF\xDA"); at != std::string::npos;
       at = jpeg.find("\xFF\xDA", at + 2))
    ++count;
  const size_t last = jpeg.rfind("\xFF\xDA");
  const size_t end = jpeg.size() - 2;  // the end-of-picture marker
  std::string file = jpeg.substr(0, end);
  for (; count < scans; ++count) file += jpeg.substr(last, end - last);
  return file + jpeg.substr(end);
}
