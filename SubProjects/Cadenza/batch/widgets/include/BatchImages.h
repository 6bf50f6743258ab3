#pragma once

#include "BatchResultModel.h"

#include <QIcon>
#include <QPixmap>
#include <QString>

// The pictures of the batch panel: the result tree's "Ok", "Error" and "Info"
// images and the panel's own icon. They are drawn once per process and shared,
// so filling a tree with thousands of nodes costs no drawing per node.
namespace BatchImages {

inline const QString& OkKey = BatchResultModel::ImageOk;
inline const QString& ErrorKey = BatchResultModel::ImageError;
inline const QString& InfoKey = BatchResultModel::ImageInfo;

// The image under one of the three keys; a null icon for any other key.
const QIcon& Image(const QString& key);

// The panel's icon, 32 x 32.
const QPixmap& AppImage();

} // namespace BatchImages
