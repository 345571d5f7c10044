# Lays out the product medium under the build folder: the programs beside
# the product INF, the uninstall program (setup under its uninstall name),
# the compressed uninstaller, the companion installer in its own folder and
# AUTORUN.INF; then writes it as the disc image beside that folder. The
# folder is laid out anew each time: whatever is in it goes on the disc.
set(VANTRELL_CDIMAGE ${CMAKE_BINARY_DIR}/cdimage)
set(VANTRELL_DISC_IMAGE ${CMAKE_BINARY_DIR}/pixmoor-usb-300-plus.iso)
# Windows starts what this names when the disc is inserted, and shows the
# icon it names for the drive. A Windows file: CRLF line ends.
file(WRITE ${CMAKE_BINARY_DIR}/AUTORUN.INF "[autorun]\r\nopen=setup.exe\r\nicon=setup.exe\r\n")
add_custom_target(cdimage ALL
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${VANTRELL_CDIMAGE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VANTRELL_CDIMAGE}/PICTAVO
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:setup> ${VANTRELL_CDIMAGE}/setup.exe
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:setup> ${VANTRELL_CDIMAGE}/uninstal.exe
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/cdimage/USBDE301r.INF ${VANTRELL_CDIMAGE}/USBDE301r.INF
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/AUTORUN.INF ${VANTRELL_CDIMAGE}/AUTORUN.INF
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:companion> ${VANTRELL_CDIMAGE}/PICTAVO/setup.exe
  # The uninstaller, LZ-compressed (SZDD) under the name the copy table reads.
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:drvsweep> ${CMAKE_BINARY_DIR}/drvsweep.exe
  COMMAND ${CMAKE_COMMAND} -E rm -f ${CMAKE_BINARY_DIR}/drvsweep.exe_
  COMMAND mscompress ${CMAKE_BINARY_DIR}/drvsweep.exe
  COMMAND ${CMAKE_COMMAND} -E rename ${CMAKE_BINARY_DIR}/drvsweep.exe_ ${VANTRELL_CDIMAGE}/drvsweep.ex_
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/make-disc-image ${VANTRELL_CDIMAGE} ${VANTRELL_DISC_IMAGE}
  DEPENDS setup drvsweep companion ${CMAKE_SOURCE_DIR}/cdimage/USBDE301r.INF
  BYPRODUCTS ${VANTRELL_DISC_IMAGE}
  COMMENT "Laying out the CD image in ${VANTRELL_CDIMAGE}, the disc image ${VANTRELL_DISC_IMAGE}")
