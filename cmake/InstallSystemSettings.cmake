# System settings that let the camera search work for an ordinary user behind a
# firewall (README, "Finding every camera"): a sysctl drop-in that raises the
# receive buffer cap to what the engine asks for, a firewalld service and a ufw
# application profile for the search's two UDP ports. They belong to the
# program's package, built with the prefix /usr: the drop-in lands in
# /usr/lib/sysctl.d, the service in /usr/lib/firewalld/services, the profile in
# /etc/ufw/applications.d. Under /usr/local, sysctl still reads the drop-in;
# firewalld and ufw read only their system folders (README says what to copy).
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
  # Under /usr the system's configuration is /etc; elsewhere it stays inside
  # the prefix, so that no install outside /usr writes to /etc.
  if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
    set(VF_UFW_PROFILES /etc/ufw/applications.d)
    # A file under /etc is the administrator's: the Debian package marks it.
    list(APPEND VF_DEB_CONFFILES ${VF_UFW_PROFILES}/vellafind)
  else()
    set(VF_UFW_PROFILES ${CMAKE_INSTALL_SYSCONFDIR}/ufw/applications.d)
  endif()
  install(FILES ${PROJECT_SOURCE_DIR}/res/linux/60-vellafind.conf
          DESTINATION lib/sysctl.d COMPONENT program)
  install(FILES ${PROJECT_SOURCE_DIR}/res/linux/firewalld/vellafind.xml
          DESTINATION lib/firewalld/services COMPONENT program)
  install(FILES ${PROJECT_SOURCE_DIR}/res/linux/ufw/vellafind
          DESTINATION ${VF_UFW_PROFILES} COMPONENT program)
endif()
