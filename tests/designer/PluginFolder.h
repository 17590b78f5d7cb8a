// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// The folder the plugin is loaded from: an installed copy's when the install test names one in
// KAVO_DESIGNER_PLUGIN_DIR, else the build tree's.
inline QString designerPluginFolder()
{
    const QString installed = qEnvironmentVariable("KAVO_DESIGNER_PLUGIN_DIR");
    return installed.isEmpty() ? QStringLiteral(KAVO_DESIGNER_PLUGIN_DIR) : installed;
}
