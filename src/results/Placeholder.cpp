// Logic of this subsystem is added beside this file; the library needs one source to exist.
