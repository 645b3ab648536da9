object Form_find: TForm_find
  Left = 400
  Top = 240
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  Caption = '查找已伪装的文件夹'
  ClientHeight = 132
  ClientWidth = 432
  Color = clBtnFace
  Font.Charset = 134
  Font.Color = clWindowText
  Font.Height = -16
  Font.Name = '宋体'
  Position = poOwnerFormCenter
  PixelsPerInch = 96
  TextHeight = 16
  object Label1: TLabel
    Left = 16
    Top = 16
    Width = 80
    Height = 16
    Caption = '正在查找：'
  end
  object Label2: TLabel
    Left = 16
    Top = 40
    Width = 400
    Height = 16
    AutoSize = False
    EllipsisPosition = epPathEllipsis
  end
  object Label3: TLabel
    Left = 16
    Top = 64
    Width = 400
    Height = 16
    AutoSize = False
  end
  object Button1: TButton
    Left = 168
    Top = 92
    Width = 96
    Height = 28
    Cancel = True
    Caption = '取消'
    Default = True
    TabOrder = 0
    OnClick = Button1Click
  end
  object Timer1: TTimer
    Enabled = False
    Interval = 100
    OnTimer = Timer1Timer
  end
end
