object DemoEdits: TDemoPlainForm
  Left = 600
  Top = 380
  BorderStyle = bsSingle
  Caption = '控件：编辑框、组合框与日期'
  ClientWidth = 560
  ClientHeight = 372
  Color = clBtnFace
  Font.Charset = 134
  Font.Height = -14
  Font.Name = '宋体'
  Position = poDesigned
  object DropDownLabel: TLabel
    Left = 12
    Top = 12
    Caption = '可输入的下拉框：'
  end
  object DropDown1: TComboBox
    Left = 12
    Top = 32
    Width = 170
    Height = 24
    Text = '北京'
    TabOrder = 0
    Items.Strings = (
      '北京'
      '上海'
      '广州'
      '深圳'
      '杭州'
      '南京'
      '成都'
      '武汉'
      '西安'
      '重庆')
  end
  object ListLabel: TLabel
    Left = 12
    Top = 66
    Caption = '只能选择的下拉列表：'
  end
  object DropDownList1: TComboBox
    Left = 12
    Top = 86
    Width = 170
    Height = 24
    Style = csDropDownList
    TabOrder = 1
    Items.Strings = (
      '北京'
      '上海'
      '广州'
      '深圳'
      '杭州'
      '南京'
      '成都'
      '武汉'
      '西安'
      '重庆')
    ItemIndex = 2
  end
  object SimpleLabel: TLabel
    Left = 12
    Top = 120
    Caption = '简单组合框：'
  end
  object Simple1: TComboBox
    Left = 12
    Top = 140
    Width = 170
    Height = 110
    Style = csSimple
    TabOrder = 2
    Items.Strings = (
      '北京'
      '上海'
      '广州'
      '深圳'
      '杭州'
      '南京'
      '成都'
      '武汉'
      '西安'
      '重庆')
    ItemIndex = 1
  end
  object RightLabel: TLabel
    Left = 200
    Top = 12
    Caption = '从右到左：'
  end
  object RightToLeft1: TComboBox
    Left = 200
    Top = 32
    Width = 170
    Height = 24
    BiDiMode = bdRightToLeft
    Text = '右边的文字'
    TabOrder = 3
    Items.Strings = (
      '北京'
      '上海'
      '广州'
      '深圳'
      '杭州'
      '南京'
      '成都'
      '武汉'
      '西安'
      '重庆')
  end
  object RightToLeft2: TComboBox
    Left = 200
    Top = 86
    Width = 170
    Height = 24
    Style = csDropDownList
    BiDiMode = bdRightToLeft
    TabOrder = 4
    Items.Strings = (
      '北京'
      '上海'
      '广州'
      '深圳'
      '杭州'
      '南京'
      '成都'
      '武汉'
      '西安'
      '重庆')
    ItemIndex = 0
  end
  object DisabledLabel: TLabel
    Left = 200
    Top = 120
    Caption = '禁用：'
  end
  object Disabled1: TComboBox
    Left = 200
    Top = 140
    Width = 170
    Height = 24
    Enabled = False
    Text = '不能改'
    TabOrder = 5
    Items.Strings = (
      '北京'
      '上海'
      '广州'
      '深圳'
      '杭州'
      '南京'
      '成都'
      '武汉'
      '西安'
      '重庆')
  end
  object Disabled2: TComboBox
    Left = 200
    Top = 174
    Width = 170
    Height = 24
    Style = csDropDownList
    Enabled = False
    TabOrder = 6
    Items.Strings = (
      '北京'
      '上海'
      '广州'
      '深圳'
      '杭州'
      '南京'
      '成都'
      '武汉'
      '西安'
      '重庆')
    ItemIndex = 3
  end
  object EditLabel: TLabel
    Left = 388
    Top = 12
    Caption = '编辑框与微调：'
  end
  object Edit1: TEdit
    Left = 388
    Top = 32
    Width = 150
    Height = 24
    TabOrder = 7
    Text = '可以输入'
  end
  object DisabledEdit: TEdit
    Left = 388
    Top = 66
    Width = 150
    Height = 24
    Enabled = False
    TabOrder = 8
    Text = '禁用的编辑框'
  end
  object CountEdit: TEdit
    Left = 388
    Top = 100
    Width = 60
    Height = 24
    TabOrder = 9
  end
  object CountUpDown: TUpDown
    Left = 448
    Top = 100
    Width = 17
    Height = 24
    Associate = CountEdit
    Max = 99
    Position = 12
  end
  object DateLabel: TLabel
    Left = 12
    Top = 262
    Caption = '日期与时间：'
  end
  object DatePicker1: TDateTimePicker
    Left = 12
    Top = 284
    Width = 170
    Date = '2026-12-10'
    TabOrder = 10
  end
  object DatePicker2: TDateTimePicker
    Left = 200
    Top = 284
    Width = 170
    DateMode = dmUpDown
    Date = '2026-12-10'
    TabOrder = 11
  end
  object TimePicker1: TDateTimePicker
    Left = 388
    Top = 284
    Width = 150
    Kind = dtkTime
    Time = '21:30:00'
    TabOrder = 12
  end
  object DisabledPicker: TDateTimePicker
    Left = 12
    Top = 318
    Width = 170
    Enabled = False
    Date = '2000-01-01'
    TabOrder = 13
  end
  object CloseButton: TButton
    Left = 438
    Top = 330
    Width = 100
    Height = 30
    Caption = '关闭'
    TabOrder = 14
    OnClick = CloseClick
  end
end
