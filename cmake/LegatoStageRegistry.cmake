# Included by the install step after it wrote into the staged machine-wide
# registry ($DESTDIR + LEGATO_SYSTEM_REGISTRY): the layer is read by every user,
# so its folder and files are opened to reading, and the writers' lock files,
# which only a user's own registry needs, are not shipped.
set(_staged "$ENV{DESTDIR}${LEGATO_SYSTEM_REGISTRY}")
file(GLOB _locks "${_staged}/*.lock")
if(_locks)
    file(REMOVE ${_locks})
endif()
file(GLOB _files "${_staged}/*.reg")
foreach(_f IN LISTS _files)
    file(CHMOD "${_f}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endforeach()
file(CHMOD "${_staged}" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)
