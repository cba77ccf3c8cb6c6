#!/usr/bin/env python3
"""Makes kindOneMapsV2000.mdb from test2V2000.mdb: the global usage map and the used-page maps of two tables
are moved onto bitmap pages (usage map kind 1) appended to the file, so that tests cover that map form.
Usage: make_kind_one_maps.py SRC DST"""
import struct,sys
src,dst=sys.argv[1:3]
d=bytearray(open(src,'rb').read()); ps=4096
def row(page,r):
    pg=page*ps; n=struct.unpack_from('<H',d,pg+12)[0]
    start=struct.unpack_from('<H',d,pg+14+2*r)[0]&0x1fff
    end=ps if r==0 else struct.unpack_from('<H',d,pg+14+2*(r-1))[0]&0x1fff
    return pg+start,pg+end
def convert(rowptr, pages_free_beyond=None):
    a,b=row(rowptr>>8,rowptr&0xff)
    assert d[a]==0
    start=struct.unpack_from('<I',d,a+1)[0]
    bits=[i+start for i in range((b-a-5)*8) if d[a+5+i//8]>>(i%8)&1]
    newpage=len(d)//ps
    mp=bytearray(ps); mp[0]=5; mp[1]=1
    if pages_free_beyond is not None:
        bits=list(range(pages_free_beyond+1,(ps-4)*8))  # global: everything past the new end is free
    for p in bits:
        mp[4+p//8]|=1<<(p%8)
    d[a]=1
    for i in range(a+1,b): d[i]=0
    struct.pack_into('<I',d,a+1,newpage)
    d.extend(mp)
    return bits
# table maps first, global map last (so that it knows the final page count)
for tdef in (2,20):
    rp=struct.unpack_from('<I',d,tdef*ps+55)[0]
    convert(rp)
convert(1 << 8, pages_free_beyond=len(d) // ps)
open(dst,'wb').write(d)
