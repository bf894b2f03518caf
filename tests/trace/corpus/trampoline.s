; A mapper-2 game with code in three switched banks and data in a fourth.
; The fixed bank holds the reset code, the NMI, and a trampoline: a far
; call names its bank and address in the three bytes after the call; the
; trampoline switches, calls, and switches back. Each code bank begins with
; a table of jumps the fixed bank calls at fixed addresses. Bank writes go
; through a table of the bank numbers (the mapper sees the bus conflict).

.segment "HEADER"
  .byte "NES", $1A, 4, 0, $20, $00
  .res 8, 0

.segment "ZEROPAGE"
bank:     .res 1
ret:      .res 2
target:   .res 2
level:    .res 2
tmp:      .res 1
frame:    .res 1
nmi_done: .res 1
hp:       .res 1

.segment "BSS"
map_buf:  .res 64

.segment "BANK0CODE"
; Bank 0: the title and its music.
  jmp title_init            ; 8000
  jmp title_frame           ; 8003
  jmp title_sound           ; 8006

title_init:
  lda #0
  sta frame
  ldx #0
@pal:
  lda title_palette,x
  sta $2007
  inx
  cpx #16
  bne @pal
  rts

title_frame:
  lda frame
  and #$20
  beq :+
  lda #$1E
  .byte $2C
: lda #$00
  sta $2001
  jsr far_call
  .byte 1
  .addr status_draw          ; a far call across the switched banks
  rts

title_sound:
  ldy #0
@reg:
  lda title_regs,y
  sta $4000,y
  iny
  cpy #4
  bne @reg
  rts

.segment "BANK0DATA"
title_palette: .byte $0F, $00, $10, $30, $0F, $06, $16, $26, $0F, $1A, $2A, $3A, $0F, $12, $22, $32
title_regs:    .byte $9F, $08, $A9, $00

.segment "BANK1CODE"
; Bank 1: the level and the status bar.
  jmp level_init            ; 8000
  jmp level_frame           ; 8003

level_init:
  lda #<level_data
  sta level
  lda #>level_data
  sta level+1
  ldy #63
@copy:
  lda (level),y
  sta map_buf,y
  dey
  bpl @copy
  lda #8
  sta hp
  rts

level_frame:
  ldx #0
@row:
  lda map_buf,x
  beq @skip
  cmp #$80
  bcc @plain
  jsr solid
  jmp @skip
@plain:
  sta $2007
@skip:
  inx
  cpx #64
  bne @row
  rts

solid:
  and #$7F
  tay
  lda solid_tiles,y
  sta $2007
  rts

status_draw:
  lda #$23
  sta $2006
  lda #$40
  sta $2006
  ldx hp
  beq @done
  lda #$5E
: sta $2007
  dex
  bne :-
@done:
  rts

.segment "BANK1DATA"
level_data:  .repeat 64, i
               .byte (i * 37) & $83
             .endrepeat
solid_tiles: .byte $40, $41, $42, $43

.segment "BANK2CODE"
; Bank 2: the ending, entered from a table of far addresses.
ending_start:
  lda #0
  sta tmp
  rts
ending_scroll:
  inc tmp
  lda tmp
  sta $2005
  lda #0
  sta $2005
  rts

.segment "BANK2DATA"
ending_text: .byte "THE END", 0

.segment "FIXEDCODE"
reset:
  sei
  cld
  ldx #$FF
  txs
  inx
  stx $2000
  stx $2001
: bit $2002
  bpl :-
  txa
: sta $00,x
  sta $0200,x
  inx
  bne :-
: bit $2002
  bpl :-
  lda #0
  jsr switch
  jsr $8000                 ; title_init
  lda #$80
  sta $2000
@title:
  jsr wait_frame
  lda #0
  jsr switch
  jsr $8003                 ; title_frame
  jsr $8006                 ; title_sound
  lda frame
  cmp #200
  bne @title
  lda #1
  jsr switch
  jsr $8000                 ; level_init
@play:
  jsr wait_frame
  lda #1
  jsr switch
  jsr $8003                 ; level_frame
  dec hp
  bne @play
  ldx #0
  jsr far_entry
  ldx #1
@end:
  jsr wait_frame
  jsr far_entry
  jmp @end

wait_frame:
  lda #0
  sta nmi_done
: lda nmi_done
  beq :-
  rts

; A = bank.
switch:
  sta bank
  tay
  sta bank_numbers,y
  rts

bank_numbers: .byte 0, 1, 2, 3

; The three bytes after the call: the bank and the address to call there.
far_call:
  pla
  sta ret
  pla
  sta ret+1
  ldy #1
  lda (ret),y
  pha                       ; the bank to call in
  iny
  lda (ret),y
  sta target
  iny
  lda (ret),y
  sta target+1
  lda ret
  clc
  adc #3
  tax
  lda ret+1
  adc #0
  pha
  txa
  pha                       ; return past the three bytes
  lda bank
  sta tmp
  tsx
  lda $0103,x
  jsr switch
  jsr @call
  lda tmp
  jsr switch
  pla
  tax
  pla
  tay
  pla
  tya
  pha
  txa
  pha
  rts
@call:
  jmp (target)

; X = entry number in the table of far entries (bank, address).
far_entry:
  lda far_banks,x
  jsr switch
  txa
  asl a
  tax
  lda far_addrs,x
  sta target
  lda far_addrs+1,x
  sta target+1
  jmp (target)

.segment "FIXEDDATA"
far_banks: .byte 2, 2
far_addrs: .addr ending_start, ending_scroll

.segment "FIXEDCODE"
nmi:
  inc frame
  inc nmi_done
  rti
irq:
  rti

.segment "VECTORS"
  .addr nmi, reset, irq
