#pragma once

#include <string>

#include "Proc/Interfaces/Export.h"

namespace Tivrel::Proc {

/// Image metadata: the sections of a metadata tree, the fields of one entry, and the EXIF
/// blocks, tags and values the engine reads and writes. An entry's key is its section, block
/// and tag joined by "." (for instance "Exif.Image.Orientation").
class TIVREL_PROC_API IImageMetadata {
public:
  /// Sections and the whole tree.
  ///@{
  static const std::string BASE_INFO;
  static const std::string BASE_INFO_MAIN;
  static const std::string BASE_INFO_FILE_TIME;
  static const std::string IMAGE_METADATA;
  static const std::string EXIF;
  static const std::string IPTC;
  static const std::string COMMENT;
  static const std::string ICC_PROFILE;
  static const std::string XMP;
  static const std::string XMP_PACKET;
  ///@}

  /// Fields of one entry.
  ///@{
  static const std::string BLOCK_NAME;
  static const std::string TAG_NAME;
  static const std::string TAG;
  static const std::string TAG_LABEL;
  static const std::string TEXT_VALUE;
  static const std::string VALUE;
  static const std::string VALUE_TYPE;
  ///@}

  /// EXIF blocks.
  ///@{
  static const std::string BLOCK_PHOTO;
  static const std::string BLOCK_IMAGE;
  static const std::string BLOCK_GPS;
  ///@}

  // EXIF tags and values.

  static const std::string TAG_ORIENTATION;  ///< EXIF tag: orientation
  /// A value of TAG_ORIENTATION: one of the eight EXIF orientation codes, "1" to "8" in this
  /// order.
  ///@{
  static const std::string VAL_ORIENTATION_TOP_LEFT;
  static const std::string VAL_ORIENTATION_TOP_RIGHT;
  static const std::string VAL_ORIENTATION_BOTTOM_RIGHT;
  static const std::string VAL_ORIENTATION_BOTTOM_LEFT;
  static const std::string VAL_ORIENTATION_LEFT_TOP;
  static const std::string VAL_ORIENTATION_RIGHT_TOP;
  static const std::string VAL_ORIENTATION_RIGHT_BOTTOM;
  static const std::string VAL_ORIENTATION_LEFT_BOTTOM;
  ///@}
  /// The same text as VAL_ORIENTATION_TOP_LEFT.
  static const std::string VAL_ORIENTATION_NORMAL;
  /// EXIF tag.
  ///@{
  static const std::string TAG_XRESOLUTION;
  static const std::string TAG_YRESOLUTION;
  static const std::string TAG_RESOLUTION_UOM;
  static const std::string VAL_RESOLUTION_UOM_PPI;  ///< resolution unit: inches
  static const std::string TAG_ARTIST;
  static const std::string TAG_COMPRESSION;
  static const std::string TAG_DATE_TIME;
  static const std::string TAG_IMAGE_DESCRIPTION;
  static const std::string TAG_SOFTWARE;
  static const std::string TAG_USER_COMMENT;
  static const std::string TAG_LATITUDE;
  static const std::string TAG_LONGITUDE;
  static const std::string TAG_COPYRIGHT;
  ///@}

  /// a + "." + b + "." + c, unchecked: GetKey(EXIF, BLOCK_IMAGE, TAG_ORIENTATION) is
  /// "Exif.Image.Orientation", and empty parts leave empty places ("..").
  static std::string GetKey(const std::string& a, const std::string& b, const std::string& c);
};

}  // namespace Tivrel::Proc
