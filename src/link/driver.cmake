# The link driver: timers, transports and endpoints around the link core (io).
target_sources(dspio PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/LinkDriver.h
    ${CMAKE_CURRENT_LIST_DIR}/LinkDriver.cpp
)
