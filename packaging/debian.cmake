# The Debian package: `cpack -G DEB` in a Release build folder writes
# vorlisk_<version>_<arch>.deb there, holding what `cmake --install` puts in
# place under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vorlisk)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE ${VORLISK_DEBIAN_REVISION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT "Vorlisk maintainers <vorlisk@example.org>")
set(VORLISK_DEB_MAINTAINER "${CPACK_PACKAGE_CONTACT}" CACHE STRING "The Maintainer of the Debian package")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VORLISK_DEB_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "数字逻辑电路仿真实验系统：门电路、触发器、74LS/CD4000 芯片")
# The synopsis is the summary above; this is the rest.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Vorlisk 是供教学实验室使用的数字逻辑电路仿真程序。学生在网格画布上
用门电路、触发器、逐脚接线的 74LS/CD4000 系列芯片、开关、脉冲源、
发光二极管和数码管搭建电路并运行，用真值表和时序图记录检测点，
还可以通过 USB 与实验箱交换电平。

软件包还含命令行运行和批改程序 vorlisk-sim、例子电路和使用说明。
双击 .vlk 电路文件即用 Vorlisk 打开。")

# Run-time needs: the shared libraries' packages, computed from the
# programs (dpkg-shlibdeps, from dpkg-dev), and what is loaded at run time
# without a link, listed here: Qt's platform plugins, Qt's own texts in
# Chinese, and a font with Chinese characters (either of two). A
# plugin-only Qt module (the SVG image format, say) goes on this list too.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(VORLISK_DEB_RUNTIME_DEPENDS
  qt6-qpa-plugins
  qt6-translations-l10n
  "fonts-wqy-microhei | fonts-noto-cjk"
)
list(JOIN VORLISK_DEB_RUNTIME_DEPENDS ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
# Where no desktop environment is detected, xdg-open learns a file's type
# from `mimetype` (this package), which reads the circuit-file type the
# package installs; without it `file` calls a circuit plain text, and
# `xdg-open 电路.vlk` opens a text editor instead of Vorlisk.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS libfile-mimeinfo-perl)

# Maintainer scripts: reload the udev rules on install and removal. The
# desktop entry, the circuit-file type and the icons are taken up by the
# dpkg triggers of desktop-file-utils, shared-mime-info and the icon cache.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_LIST_DIR}/postinst ${CMAKE_CURRENT_LIST_DIR}/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
