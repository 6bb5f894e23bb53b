# make package: a Debian package of what `cmake --install` installs, built by CPack.
# Binaries are stripped; Depends comes from dpkg-shlibdeps (libsphinxbase3 among them, the
# reader of the word-sequence model); Recommends names what makes features work without
# being linked (voices and speech plugins, the fonts, Qt's own translations, the English
# word-sequence model of pocketsphinx-en-us: without it the check in context is off).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME scrivlo)
set(CPACK_PACKAGE_VENDOR "Scrivlo maintainers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "writing program for children with spelling help")
set(CPACK_PACKAGE_INSTALL_DIRECTORY scrivlo)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${SCRIVLO_DEB_RELEASE})
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://scrivlo.example/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
  "flite, qt6-speech-flite-plugin, qt6-speech-speechd-plugin, speech-dispatcher-espeak-ng, fonts-liberation2, qt6-translations-l10n, pocketsphinx-en-us")
# The long description; CPack puts the summary above it as the synopsis.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Scrivlo is one friendly window with a page to write on. Unknown words are
underlined as soon as they are finished, common slips are corrected as the
child types, and the spelling check offers first the word the child most
likely meant, ranked for the mistakes children make. Words, sentences and
suggestions are read aloud. Unsaved work is kept safe and offered back after
a crash. English and Spanish.

The package also holds scrivlo-spell, the same spell checker on the command
line.")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
