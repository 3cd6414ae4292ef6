#pragma once
#include <QImage>

// 41 x 41 illustration of a tree style: two parents joined to a child.
QImage stylePreview(bool straightLines);
