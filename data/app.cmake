# SPDX-License-Identifier: GPL-3.0-or-later
# The application's identity as the desktop sees it: the launcher, the icon and the metainfo
# are named after RB_APP_ID. Shared by the install rules and their tests.
set(RB_APP_ID "de.raeuberbeute.RaeuberBeute")
set(RB_ICON_SIZES 16 32 48 64 128 256)
# The program's own folder under share/: the guide for teachers that F1 opens, as HTML with its
# pictures, and its Markdown sources.
set(RB_DATA_FOLDER "raeuber-beute")
