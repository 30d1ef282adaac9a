        list r=dec
        org H'2100'
table   de 87, 19, 0x5C, 1Ah ; edited
        DATA B'00000101', D'46'
