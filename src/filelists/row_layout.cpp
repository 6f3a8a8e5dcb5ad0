#include "filelists/row_layout.h"

#include <algorithm>

int DriveRowHeight(int textHeight, int floppyPictureHeight) { return std::max(textHeight, floppyPictureHeight); }

TRowLayout DriveRowLayout(int rowHeight, int pictureWidth, int pictureHeight, int textHeight) {
  return {2, (rowHeight - pictureHeight) / 2, pictureWidth + 6, (rowHeight - textHeight) / 2};
}

int FolderRowHeight(int textHeight, int openFolderPictureHeight) {
  return std::max(textHeight, openFolderPictureHeight + 1);
}

int FolderEntryIndent(int index, bool isSubfolder, int currentIndex) {
  return 2 + 4 * (isSubfolder ? currentIndex + 1 : index);
}

TRowLayout FolderRowLayout(int indent, int rowHeight, int pictureWidth, int pictureHeight) {
  return {indent, (rowHeight - pictureHeight) / 2, indent + pictureWidth + 4, 0};
}

TRowLayout FileRowLayout() { return {0, 0, 2, 0}; }
