# Transports: USB HID (hidapi), serial (QSerialPort), TCP (QTcpSocket); all in dspio.
# The HID device decision is plain logic and lives in dspcore.
target_sources(dspcore PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/HidStatus.cpp
)
target_sources(dspio PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/TransportsIo.h
    ${CMAKE_CURRENT_LIST_DIR}/HidTransport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SerialTransport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TcpTransport.cpp
)
