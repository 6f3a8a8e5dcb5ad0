#pragma once
// Where the picture and the text of a list row go, in pixels from the row's top-left.
struct TRowLayout {
  int PictureLeft = 0;
  int PictureTop = 0;
  int TextLeft = 0;
  int TextTop = 0;
};

// Drive box: picture 2 px in, text after the picture and 6 px, both centred vertically.
int DriveRowHeight(int textHeight, int floppyPictureHeight);
TRowLayout DriveRowLayout(int rowHeight, int pictureWidth, int pictureHeight, int textHeight);

// Folder list: each level 4 px deeper; subfolders one level below the current folder.
int FolderRowHeight(int textHeight, int openFolderPictureHeight);
int FolderEntryIndent(int index, bool isSubfolder, int currentIndex);
TRowLayout FolderRowLayout(int indent, int rowHeight, int pictureWidth, int pictureHeight);

// File list: text only, 2 px in.
TRowLayout FileRowLayout();
